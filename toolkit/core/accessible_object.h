// What the accessible objects of a window and of its elements share: the COM object (reference
// count, interfaces), the routing of each IAccessible call to the object the caller's child id
// names, and the state of being disconnected. A disconnected object (its element destroyed, its
// window gone) answers every call with CO_E_OBJNOTCONNECTED; the system's proxies in other
// processes are cut off at that moment, so nothing there keeps the object alive.
//
// Calls arrive on the window's thread: clients in other processes and apartments reach it
// through the proxies COM marshals to that thread. A call that would change something does not
// run inside another one (a box or a menu opened by the first may let the second in).
#pragma once

#include <windows.h>
// After windows.h, which it builds on.
#include <oleacc.h>

#include <string>

namespace ui {

class AccessibleObject : public IAccessible {
  public:
    AccessibleObject(const AccessibleObject&) = delete;
    AccessibleObject& operator=(const AccessibleObject&) = delete;

    // ---- IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

    // ---- IDispatch: clients use the IAccessible methods themselves.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                     UINT*) override;

    // ---- IAccessible: each call goes to the object its child id names (Target).
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override;
    HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override;
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override;
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override;
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override;
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* description) override;
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override;
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override;
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override;
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, long* topic) override;
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override;
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* focus) override;
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* selection) override;
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override;
    HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT child) override;
    HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height,
                                          VARIANT child) override;
    HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* end) override;
    HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* child) override;
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override;
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR name) override;
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override;

    // How many accessible objects of the toolkit live in this process.
    static long LiveCount();

  protected:
    AccessibleObject();
    virtual ~AccessibleObject();

    // Cuts the object off what it shows (see above) and drops the owner's reference.
    void DisconnectAndRelease();
    bool Connected() const { return window_ != nullptr; }
    HWND Window() const { return window_; }
    void SetWindow(HWND window) { window_ = window; }

    // The object a child id names: this one for CHILDID_SELF, or 0 when there is no such child.
    virtual AccessibleObject* Target(const VARIANT& child);

    // ---- The object's own answers (CHILDID_SELF).
    virtual HRESULT Parent(IDispatch** parent) = 0;
    virtual long ChildCount() { return 0; }
    virtual AccessibleObject* Child(long) { return nullptr; }
    virtual std::wstring Name() = 0;
    virtual HRESULT Value(BSTR*) { return DISP_E_MEMBERNOTFOUND; }
    virtual std::wstring Description() { return {}; }
    virtual long Role() = 0;
    virtual long State() = 0;
    virtual std::wstring KeyboardShortcut() { return {}; }
    virtual HRESULT Focus(VARIANT* focus) = 0;
    virtual std::wstring DefaultAction() { return {}; }
    virtual HRESULT Select(long) { return DISP_E_MEMBERNOTFOUND; }
    virtual RECT ScreenRect() = 0;
    virtual HRESULT Navigate(long direction, VARIANT* end) = 0;
    virtual HRESULT HitTest(POINT screen, VARIANT* child) = 0;
    virtual HRESULT DoDefaultAction() { return DISP_E_MEMBERNOTFOUND; }
    virtual HRESULT SetValue(const std::wstring&) { return DISP_E_MEMBERNOTFOUND; }

  private:
    // Checks the thread and the connection, then runs `call` on the object `child` names.
    template <typename Call>
    HRESULT Route(const VARIANT& child, Call call);
    template <typename Call>
    HRESULT Changing(const VARIANT& child, Call call);

    LONG references_ = 1;
    HWND window_ = nullptr;
};

// Fills a VARIANT with a child id, or an object (referenced), or nothing.
void SetChildId(VARIANT* variant, long id);
void SetObject(VARIANT* variant, IDispatch* object);
// A BSTR of the text, and S_OK; S_FALSE and no string for an empty text.
HRESULT ReturnText(const std::wstring& text, BSTR* out);

}  // namespace ui

#include "toolkit/core/accessible_object.h"

#include <atomic>

#include "runtime/dll_calls_win32.h"
#include "toolkit/core/oleacc_api.h"
#include "toolkit/core/thread_flag.h"

namespace ui {
namespace {

std::atomic<long> gLiveAccessibleObjects{0};
// Set while a call that changes something runs on this thread.
ThreadFlag gAccessibleChangeRunning;

// A BSTR's length in characters, kept in the four bytes before its text.
UINT BstrLength(BSTR text) {
    return reinterpret_cast<const UINT*>(text)[-1] / sizeof(wchar_t);
}

bool IsSelf(const VARIANT& child) {
    return child.vt == VT_EMPTY || (child.vt == VT_I4 && child.lVal == CHILDID_SELF);
}

}  // namespace

void SetChildId(VARIANT* variant, long id) {
    variant->vt = VT_I4;
    variant->lVal = id;
}

void SetObject(VARIANT* variant, IDispatch* object) {
    variant->vt = VT_DISPATCH;
    variant->pdispVal = object;
    object->AddRef();
}

HRESULT ReturnText(const std::wstring& text, BSTR* out) {
    if (text.empty()) return S_FALSE;
    *out = acc::AllocString(text);
    return *out ? S_OK : E_OUTOFMEMORY;
}

AccessibleObject::AccessibleObject() {
    ++gLiveAccessibleObjects;
}

AccessibleObject::~AccessibleObject() {
    --gLiveAccessibleObjects;
}

long AccessibleObject::LiveCount() {
    return gLiveAccessibleObjects.load();
}

void AccessibleObject::DisconnectAndRelease() {
    if (window_) {
        window_ = nullptr;
        rt::dll::CoDisconnectObject(static_cast<IAccessible*>(this), 0);
    }
    Release();
}

HRESULT AccessibleObject::QueryInterface(REFIID riid, void** object) {
    if (!object) return E_POINTER;
    // __uuidof rather than IID_*: those come from libuuid, whose object brings 6 KB of other GUIDs.
    if (riid == __uuidof(IUnknown) || riid == __uuidof(IDispatch) ||
        riid == __uuidof(IAccessible)) {
        *object = static_cast<IAccessible*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG AccessibleObject::AddRef() {
    return static_cast<ULONG>(InterlockedIncrement(&references_));
}

ULONG AccessibleObject::Release() {
    const LONG left = InterlockedDecrement(&references_);
    if (left == 0) delete this;
    return static_cast<ULONG>(left);
}

HRESULT AccessibleObject::GetTypeInfoCount(UINT* count) {
    if (!count) return E_POINTER;
    *count = 0;
    return S_OK;
}

HRESULT AccessibleObject::GetTypeInfo(UINT, LCID, ITypeInfo**) {
    return E_NOTIMPL;
}

HRESULT AccessibleObject::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) {
    return E_NOTIMPL;
}

HRESULT AccessibleObject::Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                 UINT*) {
    return E_NOTIMPL;
}

AccessibleObject* AccessibleObject::Target(const VARIANT& child) {
    return IsSelf(child) ? this : nullptr;
}

template <typename Call>
HRESULT AccessibleObject::Route(const VARIANT& child, Call call) {
    if (!Connected()) return CO_E_OBJNOTCONNECTED;
    if (GetWindowThreadProcessId(window_, nullptr) != GetCurrentThreadId()) {
        return RPC_E_WRONG_THREAD;
    }
    AccessibleObject* target = Target(child);
    if (!target) return E_INVALIDARG;
    if (!target->Connected()) return CO_E_OBJNOTCONNECTED;
    return call(*target);
}

template <typename Call>
HRESULT AccessibleObject::Changing(const VARIANT& child, Call call) {
    if (gAccessibleChangeRunning.IsSet()) return RPC_E_CALL_REJECTED;
    gAccessibleChangeRunning.Set(true);
    const HRESULT result = Route(child, call);
    gAccessibleChangeRunning.Set(false);
    return result;
}

HRESULT AccessibleObject::get_accParent(IDispatch** parent) {
    if (!parent) return E_POINTER;
    *parent = nullptr;
    return Route({}, [&](AccessibleObject& self) { return self.Parent(parent); });
}

HRESULT AccessibleObject::get_accChildCount(long* count) {
    if (!count) return E_POINTER;
    *count = 0;
    return Route({}, [&](AccessibleObject& self) {
        *count = self.ChildCount();
        return S_OK;
    });
}

HRESULT AccessibleObject::get_accChild(VARIANT child, IDispatch** object) {
    if (!object) return E_POINTER;
    *object = nullptr;
    return Route({}, [&](AccessibleObject& self) {
        if (child.vt != VT_I4) return E_INVALIDARG;
        if (child.lVal == CHILDID_SELF) return E_INVALIDARG;
        AccessibleObject* found = self.Child(child.lVal);
        if (!found) return E_INVALIDARG;
        found->AddRef();
        *object = found;
        return S_OK;
    });
}

HRESULT AccessibleObject::get_accName(VARIANT child, BSTR* name) {
    if (!name) return E_POINTER;
    *name = nullptr;
    return Route(child, [&](AccessibleObject& target) { return ReturnText(target.Name(), name); });
}

HRESULT AccessibleObject::get_accValue(VARIANT child, BSTR* value) {
    if (!value) return E_POINTER;
    *value = nullptr;
    return Route(child, [&](AccessibleObject& target) { return target.Value(value); });
}

HRESULT AccessibleObject::get_accDescription(VARIANT child, BSTR* description) {
    if (!description) return E_POINTER;
    *description = nullptr;
    return Route(child, [&](AccessibleObject& target) {
        return ReturnText(target.Description(), description);
    });
}

HRESULT AccessibleObject::get_accRole(VARIANT child, VARIANT* role) {
    if (!role) return E_POINTER;
    role->vt = VT_EMPTY;
    return Route(child, [&](AccessibleObject& target) {
        SetChildId(role, target.Role());
        return S_OK;
    });
}

HRESULT AccessibleObject::get_accState(VARIANT child, VARIANT* state) {
    if (!state) return E_POINTER;
    state->vt = VT_EMPTY;
    return Route(child, [&](AccessibleObject& target) {
        SetChildId(state, target.State());
        return S_OK;
    });
}

HRESULT AccessibleObject::get_accHelp(VARIANT child, BSTR* help) {
    if (!help) return E_POINTER;
    *help = nullptr;
    return Route(child, [](AccessibleObject&) { return S_FALSE; });
}

HRESULT AccessibleObject::get_accHelpTopic(BSTR* file, VARIANT child, long* topic) {
    if (!file || !topic) return E_POINTER;
    *file = nullptr;
    *topic = 0;
    return Route(child, [](AccessibleObject&) { return S_FALSE; });
}

HRESULT AccessibleObject::get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) {
    if (!shortcut) return E_POINTER;
    *shortcut = nullptr;
    return Route(child, [&](AccessibleObject& target) {
        return ReturnText(target.KeyboardShortcut(), shortcut);
    });
}

HRESULT AccessibleObject::get_accFocus(VARIANT* focus) {
    if (!focus) return E_POINTER;
    focus->vt = VT_EMPTY;
    return Route({}, [&](AccessibleObject& self) { return self.Focus(focus); });
}

HRESULT AccessibleObject::get_accSelection(VARIANT* selection) {
    if (!selection) return E_POINTER;
    selection->vt = VT_EMPTY;
    return Route({}, [](AccessibleObject&) { return S_FALSE; });
}

HRESULT AccessibleObject::get_accDefaultAction(VARIANT child, BSTR* action) {
    if (!action) return E_POINTER;
    *action = nullptr;
    return Route(child, [&](AccessibleObject& target) {
        return ReturnText(target.DefaultAction(), action);
    });
}

HRESULT AccessibleObject::accSelect(long flags, VARIANT child) {
    return Changing(child, [&](AccessibleObject& target) { return target.Select(flags); });
}

HRESULT AccessibleObject::accLocation(long* left, long* top, long* width, long* height,
                                      VARIANT child) {
    if (!left || !top || !width || !height) return E_POINTER;
    *left = *top = *width = *height = 0;
    return Route(child, [&](AccessibleObject& target) {
        const RECT rect = target.ScreenRect();
        *left = rect.left;
        *top = rect.top;
        *width = rect.right - rect.left;
        *height = rect.bottom - rect.top;
        return S_OK;
    });
}

HRESULT AccessibleObject::accNavigate(long direction, VARIANT start, VARIANT* end) {
    if (!end) return E_POINTER;
    end->vt = VT_EMPTY;
    return Route(start, [&](AccessibleObject& target) { return target.Navigate(direction, end); });
}

HRESULT AccessibleObject::accHitTest(long x, long y, VARIANT* child) {
    if (!child) return E_POINTER;
    child->vt = VT_EMPTY;
    return Route({}, [&](AccessibleObject& self) { return self.HitTest({x, y}, child); });
}

HRESULT AccessibleObject::accDoDefaultAction(VARIANT child) {
    return Changing(child, [](AccessibleObject& target) { return target.DoDefaultAction(); });
}

HRESULT AccessibleObject::put_accName(VARIANT, BSTR) {
    return DISP_E_MEMBERNOTFOUND;  // names come from the elements
}

HRESULT AccessibleObject::put_accValue(VARIANT child, BSTR value) {
    const std::wstring text = value ? std::wstring(value, BstrLength(value)) : std::wstring();
    return Changing(child, [&](AccessibleObject& target) { return target.SetValue(text); });
}

}  // namespace ui

// The object behind one toolkit window: it takes over the window's procedure and turns the
// window's messages into calls on the parts it owns, each with its own concern:
//   ElementTree    the elements, liveness, hover, pressed, focus and accelerators
//   Compositor     back buffer, background buffer, dirty rectangles, presentation
//   WindowCaption  icon, title and caption buttons
//   InputRouter    mouse and keyboard to element messages
//   HostSettings   everything the caller may set, as one value
//
// The window finds its host through the window property "Ui_Wnd_Control"; elements reach the
// host only through the ElementHost interface, the input router through InputHost.
#pragma once

#include <windows.h>

#include <string>

#include "toolkit/core/accessible_traits.h"
#include "toolkit/core/compositor.h"
#include "toolkit/core/element_host.h"
#include "toolkit/core/element_tree.h"
#include "toolkit/core/host_callbacks.h"
#include "toolkit/core/host_settings.h"
#include "toolkit/core/input_host.h"
#include "toolkit/core/input_router.h"
#include "toolkit/core/tooltip.h"
#include "toolkit/core/window_caption.h"

namespace ui {

class AccessibleWindow;

class HostWindow : public ElementHost, public InputHost {
  public:
    HostWindow();
    virtual ~HostWindow();
    HostWindow(const HostWindow&) = delete;
    HostWindow& operator=(const HostWindow&) = delete;

    static HostWindow* FromWindow(HWND window);

    // ---- Life cycle
    // Binds the host to an existing window. Does nothing for 0, a non-window, the window the
    // host already holds, or when the host is attached elsewhere. Returns whether it attached.
    bool Attach(HWND window, const AttachOptions& options = {});
    bool IsAttached() const { return window_ != nullptr; }
    HWND Window() const override { return window_; }
    // Shows the window: kind none plainly, other kinds with their animation over `durationMs`.
    void Show(AnimationKind kind = AnimationKind::kNone, int durationMs = 200);
    void Close() { PostMessageW(window_, WM_CLOSE, 0, 0); }
    // Handles the window's messages.
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);

    // ---- Parts
    HostSettings& Settings() { return settings_; }
    const HostSettings& Settings() const override { return settings_; }
    HostCallbacks& Callbacks() { return callbacks_; }
    const HostCallbacks& Callbacks() const override { return callbacks_; }
    ElementTree& Elements() override { return elements_; }
    const ElementTree& Elements() const { return elements_; }
    ElementLinks& Links() override { return elements_; }
    Compositor& Composition() { return compositor_; }
    const Compositor& Composition() const { return compositor_; }
    const WindowCaption& Caption() const { return caption_; }
    HWND TooltipWindow() const { return tooltip_.Window(); }

    // ---- Settings with effects beyond the value
    // Makes the window layered or not, and refreshes it.
    void SetLayeredAlpha(int alpha);
    void SetDefaultCursorId(int systemCursorId);
    // Loads the background from encoded bytes (owned), or takes the caller's image.
    void SetBackgroundImage(ByteView bytes);
    void SetExternalBackgroundImage(GpImage* image);
    // The separate drop-shadow window that is placed around the content rectangle.
    void SetShadowWindow(HWND shadow) { shadowWindow_ = shadow; }

    // ---- Painting
    // Whole-window refresh. presentMode 0 presents at once, 1 fades the window in.
    void Refresh(int presentMode = 0, bool askStateRepaint = false);
    void RepaintRect(const RectF& rect, bool present) { compositor_.RepaintRect(rect, present); }
    void QueueRect(const RectF& rect, RepaintMode mode) { compositor_.QueueRect(rect, mode); }
    // Composes the rectangles that wait for the posted repaint request now: a window about to
    // show paints its first frame whole, since its first repaint comes before that request.
    void FlushRepaints() { compositor_.Flush(); }
    bool Busy() const { return compositor_.Busy(); }
    int Width() const override { return compositor_.Width(); }
    int Height() const override { return compositor_.Height(); }

    // ---- ElementHost
    bool IsBusy() const override { return compositor_.Busy(); }
    void Invalidate(const RectF& rect) override;
    void RepaintNow(const RectF& rect) override;
    void FillPaintContext(PaintContext& context) const override;
    void UpdateTooltip(const std::string& text, const RectF& rect) override;
    bool BackgroundIsDark(const RectF& rect) const override;
    bool RoundedCorners() const override;

    // ---- Accessibility
    // The object screen readers get for the client area (made at first use, cut off when the
    // window goes), and the role it gives the window (a dialog, a menu).
    AccessibleWindow* AccessibleRoot();
    void SetAccessibleRole(AccessibleRole role) { accessibleRole_ = role; }

    // ---- InputHost (the rest is above)
    bool TogglesMaximise(const Element* element) const override;
    void ShowTooltip(const std::string& text, const RectF& rect) override;

  protected:
    LRESULT CallPrevious(UINT message, WPARAM wParam, LPARAM lParam);

  private:
    static LRESULT CALLBACK SharedProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    // Hands the window back to the procedure the host replaced.
    static void ReleaseProcedure(HWND window, WNDPROC previous);

    // Attach steps.
    void ApplySettings(const AttachOptions& options);
    void ApplyStyleRules();
    void Subclass();
    void Teardown();
    // Typed handlers of the window procedure.
    LRESULT OnDestroy(WPARAM wParam, LPARAM lParam);
    void OnSize();
    LRESULT OnSetText(WPARAM wParam, LPARAM lParam);
    LRESULT OnSetIcon(WPARAM wParam, LPARAM lParam);
    void OnClose();
    void OnMinMaxInfo(MINMAXINFO* info);
    bool OnSetCursor(HWND target, UINT hitTest);
    bool OnTimer(WPARAM id, LPARAM lParam);
    void OnPaint();
    LRESULT OnToolkitMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void OnRepaintRect(WPARAM mode, LPARAM rect);
    LRESULT OnElementMoved(Element* element, LPARAM repaint);
    LRESULT OnDeliver(Element* element, LPARAM token);
    LRESULT OnRegisterAccelerator(Element* element, LPARAM character);
    LRESULT OnGetObject(WPARAM wParam, LPARAM lParam);
    void OnAccessibleAction(Element* element, LPARAM generation);
    void PlaceShadowWindow();

    HWND window_ = nullptr;
    DWORD windowThread_ = 0;
    WNDPROC previousProc_ = nullptr;
    bool closing_ = false;
    HWND shadowWindow_ = nullptr;
    HostSettings settings_;
    HostCallbacks callbacks_;
    ElementTree elements_;
    Compositor compositor_{settings_, elements_};
    WindowCaption caption_{settings_};
    Tooltip tooltip_;
    InputRouter input_{*this};
    AccessibleWindow* accessible_ = nullptr;
    AccessibleRole accessibleRole_ = AccessibleRole::kClient;
};

}  // namespace ui

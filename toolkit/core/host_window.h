// The object behind one toolkit window: it takes over the window's procedure, keeps the
// off-screen back buffer and the background buffer, owns the tree of windowless elements,
// composes and presents them, and turns window messages into element messages.
//
// The window finds its host through the window property "Ui_Wnd_Control".
#pragma once

#include <windows.h>
// The tooltip window of every host.
#include <commctrl.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "toolkit/core/dib_surface.h"
#include "toolkit/core/dirty_rect_queue.h"
#include "toolkit/core/element.h"
#include "toolkit/core/gdiplus_api.h"
#include "toolkit/core/geometry.h"
#include "toolkit/core/images.h"

namespace ui {

class Label;
class CaptionButton;
class WindowIcon;

inline constexpr wchar_t kHostProperty[] = L"Ui_Wnd_Control";
inline constexpr wchar_t kWindowFlagsProperty[] = L"Ui_Wnd_Flags";

// Caption flags of a host.
enum CaptionFlag : int {
    kCaptionIcon = 1,
    kCaptionTitle = 2,
    kCaptionClose = 4,
    kCaptionMaximise = 8,
    kCaptionMinimise = 16,
    kCaptionExtra1 = 32,
    kCaptionExtra2 = 64,
    kCaptionExtra3 = 128,
    kCaptionExtra4 = 256,
    kCaptionSoftShadow = 512,
    kCaptionStandardSet = 1024,
};

// Background image modes of the whole-window refresh.
enum BackgroundMode : int { kBackgroundNatural = 0, kBackgroundStretch = 1, kBackgroundCentre = 2 };

struct AttachOptions {
    int layeredAlpha = -1;            // -1: not layered (presented with BitBlt)
    std::optional<int> captionFlags;  // none given: icon, title, close (+ max/min by style)
    std::optional<bool> resizable;    // default: whether the window has WS_THICKFRAME
    bool draggable = true;
    int animationKind = 0;                      // close animation
    int animationDuration = 200;                // ms of the show animation
    std::vector<std::uint8_t> backgroundImage;  // encoded; empty = none
    GpImage* externalBackground = nullptr;      // the caller's image; never disposed by the host
    int backgroundMode = kBackgroundNatural;
    COLORREF backgroundColor = RGB(0x00, 0x88, 0xFF);
    int cornerStyle = 7;  // 0 square, 1 image as nine-grid without frame, other: rounded
    bool border = false;
    Margins nineGridMargins;
    std::optional<bool> shadowWindow;  // default: on with OS major version 6
    COLORREF shadowColor = RGB(0, 0, 0);
    bool fadeIn = false;  // present the first refresh with the fade-in
};

// The host's events for the application.
struct HostCallbacks {
    using ElementCallback = std::function<void(HWND, Element*, WPARAM, LPARAM, int typeId)>;
    std::function<void(HWND, GpGraphics*, int width, int height)> backgroundPaint;
    // Sees every window message first; anything but -1 is returned to the system at once.
    std::function<LRESULT(HWND, UINT, WPARAM, LPARAM)> rawMessage;
    std::function<void(HWND, int width, int height)> sizeChanged;
    ElementCallback mouseDown, leftButtonUp, click, doubleClick, rightDown, rightUp, mouseLeave,
        mouseEnter, focusGained, focusLost;
};

class HostWindow {
  public:
    HostWindow();
    virtual ~HostWindow();
    HostWindow(const HostWindow&) = delete;
    HostWindow& operator=(const HostWindow&) = delete;

    static HostWindow* FromWindow(HWND window);

    // Binds the host to an existing window. Does nothing for 0, a non-window, the window the
    // host already holds, or when the host is attached elsewhere. Returns whether it attached.
    bool Attach(HWND window, const AttachOptions& options = {});
    bool IsAttached() const { return window_ != nullptr; }
    HWND Window() const { return window_; }

    // Handles the window's messages (input, painting, life cycle).
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);

    // Shows the window: kind 0 plainly, other kinds with their animation over `durationMs`.
    void Show(int animationKind = 0, int durationMs = 200);
    void Close() { PostMessageW(window_, WM_CLOSE, 0, 0); }

    // Whole-window refresh. presentMode 0 presents at once, 1 fades the window in.
    void Refresh(int presentMode = 0, bool askStateRepaint = false);
    // Repaints one rectangle (background, elements) and presents it when asked.
    void RepaintRect(const RectF& rect, bool present);
    // Adds a rectangle to the dirty-rectangle queue (mode: RepaintMode) and runs the queue.
    void QueueRect(const RectF& rect, int mode);
    void Present(const RectF& rect);

    // Settings.
    int LayeredAlpha() const { return layeredAlpha_; }
    void SetLayeredAlpha(int alpha);
    bool IsLayered() const { return layeredAlpha_ != -1; }
    bool Resizable() const { return resizable_; }
    void SetResizable(bool value) { resizable_ = value; }
    bool Draggable() const { return draggable_; }
    void SetDraggable(bool value) { draggable_ = value; }
    int AnimationKind() const { return animationKind_; }
    void SetAnimationKind(int kind) { animationKind_ = kind; }
    int CaptionFlags() const { return captionFlags_; }
    void SetCaptionFlags(int flags) { captionFlags_ = flags; }
    HCURSOR DefaultCursor() const { return defaultCursor_; }
    void SetDefaultCursor(HCURSOR cursor) { defaultCursor_ = cursor; }
    void SetDefaultCursorId(int systemCursorId);
    int CornerStyle() const { return cornerStyle_; }
    void SetCornerStyle(int style) { cornerStyle_ = style; }
    COLORREF BackgroundColor() const { return backgroundColor_; }
    void SetBackgroundColor(COLORREF colour) { backgroundColor_ = colour; }
    int BackgroundMode() const { return backgroundMode_; }
    void SetBackgroundMode(int mode) { backgroundMode_ = mode; }
    bool Border() const { return border_; }
    void SetBorder(bool border) { border_ = border; }
    Margins NineGridMargins() const { return nineGridMargins_; }
    void SetNineGridMargins(const Margins& margins) { nineGridMargins_ = margins; }
    COLORREF ShadowColor() const { return shadowColor_; }
    void SetShadowColor(COLORREF colour) { shadowColor_ = colour; }
    bool ShadowWindowFlag() const { return shadowWindowFlag_; }
    void SetShadowWindowFlag(bool on) { shadowWindowFlag_ = on; }
    // The separate drop-shadow window that is placed around the content rectangle.
    void SetShadowWindow(HWND shadow) { shadowWindow_ = shadow; }
    // Loads the background from encoded bytes (owned), or takes the caller's image.
    void SetBackgroundImage(ByteView bytes);
    void SetExternalBackgroundImage(GpImage* image);
    GpImage* BackgroundImage() const;
    HostCallbacks& Callbacks() { return callbacks_; }

    // State.
    bool Busy() const { return busy_; }
    int Width() const { return size_.cx; }
    int Height() const { return size_.cy; }
    Element* FirstElement() const { return first_; }
    Element* LastElement() const { return last_; }
    Element* FocusElement() const { return focus_; }
    Element* HoverElement() const { return hover_; }
    Element* PressedElement() const { return pressed_; }
    Element* KeyboardFocusElement() const { return keyboardFocus_; }
    bool Captured() const { return captured_; }
    Label* TitleElement() const { return title_.get(); }
    WindowIcon* IconElement() const { return icon_.get(); }
    const std::vector<std::unique_ptr<CaptionButton>>& CaptionButtons() const {
        return captionButtons_;
    }
    HWND TooltipWindow() const { return tooltip_; }
    DirtyRectQueue& Queue() { return queue_; }
    // Whether the element is created in this host's tree.
    bool ContainsElement(const Element* element) const;

    // The topmost, deepest visible and enabled element at a client point, or 0.
    Element* HitTest(float x, float y) const;

    // Focus and accelerators.
    void SetFocusElement(Element* element, bool fromKeyboard);
    // Character 0 removes the element's entry.
    void RegisterAccelerator(Element* element, int character);
    int AcceleratorOf(const Element* element) const;
    // Shows `text` as the tooltip of `rect` (empty text: no tooltip).
    void ShowTooltip(const std::string& text, const RectF& rect);

    // Direct access to the composed image, e.g. for checks and screenshots.
    const DibSurface& BackBuffer() const { return back_; }
    const DibSurface& BackgroundBuffer() const { return background_; }
    GpGraphics* BackGraphics() const { return back_.Graphics(); }
    // How many times the window was presented (BitBlt or UpdateLayeredWindow).
    int PresentCount() const { return presentCount_; }
    // Whether the background under `rect` is mostly dark (automatic text colours).
    bool BackgroundIsDark(const RectF& rect) const;

  protected:
    // Handles input messages (mouse, keyboard); returns true with `result` set when it did.
    virtual bool RouteInput(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    LRESULT CallPrevious(UINT message, WPARAM wParam, LPARAM lParam);

  private:
    friend class Element;

    static LRESULT CALLBACK SharedProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    // Hands the window back to the procedure the host replaced.
    static void ReleaseProcedure(HWND window, WNDPROC previous);

    // Attach steps.
    void ApplyCaptionFlags(std::optional<int> given);
    void ApplyStyleRules();
    void CreateBuffers();
    void CreateCaption();
    void CreateTooltip();
    void LayoutCaption();
    // Life cycle.
    void Teardown();
    void OnSize();
    void OnActivate(WPARAM wParam);
    void OnClose();
    void OnMinMaxInfo(MINMAXINFO* info);
    void OnFadeInTick();
    void OnPaint();
    LRESULT OnElementMoved(Element* element, LPARAM repaint);
    LRESULT OnDeliver(Element* element, const PackedMessage* block);
    void OnRepaintMessage(WPARAM mode, const RectF* rect);
    // Input routing.
    void RouteMouse(UINT message, WPARAM wParam, LPARAM lParam, bool& consumed);
    void ReleaseOnButtonUp(WPARAM wParam, LPARAM lParam, float x, float y);
    void PressAt(Element* hit, WPARAM wParam, LPARAM lParam, float y);
    void Enter(Element* element, Element* from, WPARAM wParam, LPARAM lParam);
    bool HandleSizingBorder(UINT message, float x, float y);
    void StartWindowDrag();
    void ToggleMaximise();
    void MoveFocusByTab();
    bool ClickAccelerator(WPARAM character, LPARAM lParam);
    void Notify(const HostCallbacks::ElementCallback& callback, Element* element, WPARAM wParam,
                LPARAM lParam);
    // Refresh steps.
    void PaintBackground();
    void PaintFrame();
    void ApplyWindowShape();
    void BuildClipRegion();
    void PlaceShadowWindow();
    // Composition.
    void ComposeList(Element* first, bool askStateRepaint);
    void ComposeElement(Element* element, bool askStateRepaint);
    void DrawTransition(Element* element, const PaintContext& context);
    void ApplyHostClip();
    // Presentation and animations.
    void PresentLayered(HDC source, int constantAlpha);
    void RunAnimation(int kind, bool closing, int steps, int stepMs);
    void DrawAnimationFrame(DibSurface& target, const DibSurface& still, int kind, double progress);
    void MakeLayeredForAnimation();
    // Elements.
    void AppendTopLevel(Element* element);
    void ForgetElement(Element* element);
    void DestroyAllElements();

    HWND window_ = nullptr;
    WNDPROC previousProc_ = nullptr;
    Element* focus_ = nullptr;
    Element* hover_ = nullptr;
    Element* pressed_ = nullptr;
    bool captured_ = false;
    bool busy_ = false;
    bool closing_ = false;
    HDC windowDc_ = nullptr;
    DibSurface back_;
    DibSurface background_;
    ImagePtr ownBackground_;
    GpImage* externalBackground_ = nullptr;
    Element* first_ = nullptr;
    Element* last_ = nullptr;
    int captionFlags_ = 0;
    HWND tooltip_ = nullptr;
    int layeredAlpha_ = -1;
    bool resizable_ = false;
    bool draggable_ = true;
    int animationKind_ = 0;
    int animationDuration_ = 200;
    SIZE size_{0, 0};
    RegionPtr clipRegion_;
    int cornerStyle_ = 7;
    COLORREF shadowColor_ = 0;
    int backgroundMode_ = 0;
    COLORREF backgroundColor_ = RGB(0x00, 0x88, 0xFF);
    bool border_ = false;
    bool shadowWindowFlag_ = false;
    HWND shadowWindow_ = nullptr;
    Margins nineGridMargins_;
    Element* keyboardFocus_ = nullptr;
    HCURSOR defaultCursor_ = nullptr;
    int fadeAlpha_ = 255;
    bool mouseLeaveArmed_ = false;
    std::vector<std::pair<Element*, int>> accelerators_;
    std::vector<std::unique_ptr<CaptionButton>> captionButtons_;
    std::unique_ptr<Label> title_;
    std::unique_ptr<WindowIcon> icon_;
    DirtyRectQueue queue_;
    TOOLINFOA toolInfo_{};
    HostCallbacks callbacks_;
    int presentCount_ = 0;
};

}  // namespace ui

// HostWindow: attaching to a window, the settings, the whole-window refresh, showing and closing,
// and teardown.
#include "toolkit/core/host_window.h"

#include <utility>

#include "runtime/message_pump.h"
#include "toolkit/core/accessible_window.h"
#include "toolkit/core/posted_payloads.h"
#include "toolkit/core/toolkit.h"
#include "toolkit/core/window_animation.h"
#include "toolkit/core/window_class.h"

namespace ui {

namespace {

// Caption flags: none given, or a set with 1024, ask for the standard set; 512 is always on.
int ResolveCaptionFlags(std::optional<int> given, LONG style) {
    int flags = given.value_or(0);
    if (!given || (*given & kCaptionStandardSet)) {
        flags |= kCaptionIcon | kCaptionTitle | kCaptionClose;
        if (style & WS_MAXIMIZEBOX) flags |= kCaptionMaximise;
        if (style & WS_MINIMIZEBOX) flags |= kCaptionMinimise;
    }
    return flags | kCaptionSoftShadow;
}

UINT_PTR FadeInTimerId(const HostWindow* host) {
    return reinterpret_cast<UINT_PTR>(host);
}

}  // namespace

HostWindow::HostWindow() = default;

HostWindow::~HostWindow() {
    // A host that goes away before its window hands the window back to its own procedure.
    if (window_) Teardown();
}

HostWindow* HostWindow::FromWindow(HWND window) {
    // The property holds the ElementHost part of a HostWindow (its only base).
    return static_cast<HostWindow*>(ElementHost::FromWindow(window));
}

// ---- Life cycle

bool HostWindow::Attach(HWND window, const AttachOptions& options) {
    if (!window || !IsWindow(window) || window == window_ || window_) return false;
    if (FromWindow(window)) return false;  // another host holds it
    window_ = window;
    windowThread_ = GetWindowThreadProcessId(window, nullptr);
    ApplySettings(options);
    ApplyStyleRules();
    SetPropW(window, kHostProperty, static_cast<ElementHost*>(this));
    compositor_.Attach(window);
    if (settings_.IsLayered()) MakeLayered(window);
    Subclass();
    compositor_.SetBusy(true);
    caption_.Create(window, Width());
    tooltip_.Create(window);
    compositor_.SetBusy(false);
    if (options.refresh) Refresh(options.fadeIn ? 1 : 0);
    return true;
}

void HostWindow::ApplySettings(const AttachOptions& options) {
    LONG style = GetWindowLongW(window_, GWL_STYLE);
    settings_ = options.settings;
    settings_.resizable = options.resizable.value_or((style & WS_THICKFRAME) != 0);
    settings_.shadowWindow = options.shadowWindow.value_or(OsMajorVersion() == 6);
    settings_.captionFlags = ResolveCaptionFlags(options.captionFlags, style);
    settings_.defaultCursor = ui::DefaultCursor();
    if (!options.captionFlags || *options.captionFlags != 0) {
        SetWindowLongW(window_, GWL_STYLE, style | WS_SYSMENU);
    }
    if (options.externalBackground) {
        compositor_.SetExternalBackgroundImage(options.externalBackground);
    } else {
        compositor_.SetBackgroundImage(
            ByteView(options.backgroundImage.data(), options.backgroundImage.size()));
    }
}

void HostWindow::ApplyStyleRules() {
    LONG style = GetWindowLongW(window_, GWL_STYLE);
    LONG wanted = (style | WS_POPUP) & ~(WS_THICKFRAME | WS_DLGFRAME | WS_BORDER);
    if (settings_.captionFlags & kCaptionMinimise) wanted |= WS_MINIMIZEBOX;
    if (settings_.captionFlags & kCaptionMaximise) wanted |= WS_MAXIMIZEBOX;
    // Only a real change: setting the style again would come back as WM_STYLECHANGED.
    if (wanted != style) SetWindowLongW(window_, GWL_STYLE, wanted);
}

void HostWindow::Teardown() {
    HWND window = window_;
    compositor_.SetBusy(true);
    KillTimer(window, FadeInTimerId(this));
    tooltip_.Destroy();
    ReleaseProcedure(window, previousProc_);
    compositor_.Queue().Clear();
    if (elements_.Captured() && GetCapture() == window) ReleaseCapture();
    elements_.DestroyAll();
    caption_.Destroy();
    if (accessible_) std::exchange(accessible_, nullptr)->Detach();
    compositor_.Release();
    RemovePropW(window, kHostProperty);
    // Messages that will never be taken now.
    PostedPayloads::DropWindow(reinterpret_cast<PayloadWindow>(window));
    previousProc_ = nullptr;
    window_ = nullptr;
    windowThread_ = 0;
    closing_ = false;
    compositor_.SetBusy(false);
}

void HostWindow::Show(AnimationKind kind, int durationMs) {
    if (!window_) return;
    rt::PumpMessages();
    if (!window_) return;
    if (kind == AnimationKind::kNone) {
        if (settings_.shadowWindow) PlaceShadowWindow();
        ShowWindow(window_, SW_SHOWNORMAL);
        return;
    }
    bool wasLayered = MakeLayered(window_);
    compositor_.SetBusy(true);
    DibSurface blank;
    blank.Create(Width(), Height());
    compositor_.PresentLayered(blank.Dc(), 0);
    ShowWindow(window_, SW_SHOWNORMAL);
    RunWindowAnimation(window_, compositor_, kind, false, std::max(1, durationMs / 10), 10);
    if (!window_) return;
    compositor_.SetBusy(false);
    if (!wasLayered) {
        SetWindowLongW(window_, GWL_EXSTYLE, GetWindowLongW(window_, GWL_EXSTYLE) & ~WS_EX_LAYERED);
    }
    Refresh();
    RedrawWindow(window_, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

void HostWindow::OnClose() {
    closing_ = true;
    AnimationKind kind = settings_.animationKind;
    if (kind != AnimationKind::kNone && compositor_.IsReady()) {
        MakeLayered(window_);
        compositor_.PresentLayered(compositor_.BackBuffer().Dc(), 255);
        compositor_.SetBusy(true);
        RunWindowAnimation(window_, compositor_, kind, true, CloseAnimationSteps(kind), 10);
        compositor_.SetBusy(false);
    }
    if (window_) ShowWindow(window_, SW_HIDE);
}

// ---- Settings

void HostWindow::SetLayeredAlpha(int alpha) {
    settings_.layeredAlpha = alpha;
    if (!window_) return;
    LONG ex = GetWindowLongW(window_, GWL_EXSTYLE);
    LONG wanted = settings_.IsLayered() ? (ex | WS_EX_LAYERED) : (ex & ~WS_EX_LAYERED);
    if (wanted != ex) SetWindowLongW(window_, GWL_EXSTYLE, wanted);
    Refresh();
}

void HostWindow::SetDefaultCursorId(int systemCursorId) {
    settings_.defaultCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(systemCursorId));
}

void HostWindow::SetBackgroundImage(ByteView bytes) {
    compositor_.SetBackgroundImage(bytes);
}

void HostWindow::SetExternalBackgroundImage(GpImage* image) {
    compositor_.SetExternalBackgroundImage(image);
}

// ---- Painting

void HostWindow::Refresh(int presentMode, bool askStateRepaint) {
    if (!window_ || !compositor_.IsReady()) return;
    compositor_.SetBusy(true);
    compositor_.PaintBackground();
    if (callbacks_.backgroundPaint) {
        callbacks_.backgroundPaint(window_, compositor_.Graphics(), Width(), Height());
        if (!window_) return;  // the callback closed the window
    }
    compositor_.FinishBackground();
    caption_.Layout(Width());
    compositor_.ComposeAll(askStateRepaint);
    compositor_.SetBusy(false);
    if (settings_.shadowWindow && settings_.IsLayered()) PlaceShadowWindow();
    if (presentMode == 1 && settings_.IsLayered()) {
        compositor_.StartFadeIn();
        SetTimer(window_, FadeInTimerId(this), 50, nullptr);
    } else {
        compositor_.PresentWhole();
    }
}

void HostWindow::PlaceShadowWindow() {
    if (!shadowWindow_ || !IsWindow(shadowWindow_)) return;
    RECT rect{};
    GetWindowRect(window_, &rect);
    // Around the content rectangle (5 pixels in), with a margin of 6.
    SetWindowPos(shadowWindow_, window_, rect.left + 5 - 6, rect.top + 5 - 6, Width() - 10 + 12,
                 Height() - 10 + 12, SWP_NOACTIVATE);
}

// ---- ElementHost

void HostWindow::Invalidate(const RectF& rect) {
    HWND window = window_;
    if (!window) return;
    if (GetCurrentThreadId() == windowThread_) {
        compositor_.Invalidate(rect);
        return;
    }
    // The rectangle travels as a registered copy: the window may be gone when it arrives.
    PayloadToken token = PostedPayloads::AddRect(reinterpret_cast<PayloadWindow>(window), rect);
    WPARAM mode = static_cast<WPARAM>(RepaintMode::kNow) | kRepaintPayloadToken;
    if (!PostMessageW(window, kMsgRepaintRect, mode, static_cast<LPARAM>(token))) {
        PostedPayloads::Discard(token);
    }
}

void HostWindow::RepaintNow(const RectF& rect) {
    compositor_.QueueRect(rect, RepaintMode::kNow);
}

void HostWindow::FillPaintContext(PaintContext& context) const {
    compositor_.FillPaintContext(context);
}

void HostWindow::UpdateTooltip(const std::string& text, const RectF& rect) {
    tooltip_.Update(text, rect);
}

void HostWindow::ShowTooltip(const std::string& text, const RectF& rect) {
    tooltip_.Show(text, rect);
}

bool HostWindow::BackgroundIsDark(const RectF& rect) const {
    return compositor_.BackgroundIsDark(rect);
}

bool HostWindow::RoundedCorners() const {
    return settings_.cornerStyle != CornerStyle::kSquare;
}

// ---- InputHost

bool HostWindow::TogglesMaximise(const Element* element) const {
    return caption_.TogglesMaximise(element);
}

}  // namespace ui

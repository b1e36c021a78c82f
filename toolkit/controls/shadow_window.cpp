#include "toolkit/controls/shadow_window.h"

#include "art/toolkit_art.h"
#include "toolkit/core/window_class.h"

namespace ui {

namespace {

// The shadow image is 210 x 143; an owner covers x 5..205 and y 3..136 of it.
constexpr Margins kShadowMargins{103, 69, 107, 73};
constexpr int kReachLeft = 5, kReachTop = 3, kReachRight = 5, kReachBottom = 7;

AttachOptions ShadowAttachOptions() {
    AttachOptions options;
    options.settings.layeredAlpha = 255;  // per-pixel alpha only
    options.settings.cornerStyle = CornerStyle::kNineGrid;
    options.settings.nineGridMargins = kShadowMargins;
    options.settings.draggable = false;
    options.captionFlags = 0;
    options.resizable = false;
    options.shadowWindow = false;
    options.refresh = false;  // once the soft outline is off (ShowShadow)
    ByteView image = art::Bytes(art::ToolkitImage::kShadow);
    options.backgroundImage.assign(image.begin(), image.end());
    return options;
}

// A click on the shadow never activates it (clicks pass through it anyway, see the styles).
LRESULT NeverActivate(HWND, UINT message, WPARAM, LPARAM) {
    return message == WM_MOUSEACTIVATE ? MA_NOACTIVATE : -1;
}

}  // namespace

HWND ShadowWindow::ShowShadow(HWND owner) {
    HideShadow();
    owner_ = owner;
    if (!IsWindow(owner)) return nullptr;
    RegisterWindowClass(kShadowClassName);
    RECT rect{};
    GetWindowRect(owner, &rect);
    // Not owned by the owner: an owned window always stays in front of its owner. It shares
    // the owner's own owner instead, and the follower keeps it right behind the owner.
    shadow_ =
        CreateHostWindow({.parent = GetWindow(owner, GW_OWNER),
                          .x = rect.left - kReachLeft,
                          .y = rect.top - kReachTop,
                          .width = rect.right - rect.left + kReachLeft + kReachRight,
                          .height = rect.bottom - rect.top + kReachTop + kReachBottom,
                          .className = kShadowClassName,
                          .exStyle = WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE | WS_EX_TRANSPARENT});
    if (!shadow_) return nullptr;
    follower_.Attach(shadow_, owner);
    host_.Callbacks().rawMessage = NeverActivate;
    host_.Attach(shadow_, ShadowAttachOptions());
    // The image is the whole shadow: no soft outline of a layered window on top of it.
    host_.Settings().captionFlags &= ~kCaptionSoftShadow;
    host_.Refresh();
    // A minimised owner gets its shadow back when it is restored (the follower sees the size).
    if (IsWindowVisible(owner) && !IsIconic(owner)) follower_.ShowBehindOwner();
    return shadow_;
}

bool ShadowWindow::HideShadow() {
    follower_.Detach();
    HWND shadow = shadow_;
    shadow_ = nullptr;
    // The host lets go of its window when the window is destroyed, so a shadow that went with
    // its owner is not mistaken for a window that now has its handle.
    if (!shadow || host_.Window() != shadow || !IsWindow(shadow)) return false;
    return DestroyWindow(shadow) != FALSE;
}

}  // namespace ui

// HostWindow: showing and closing with animations, and the fade-in after a refresh.
#include <algorithm>
#include <cmath>

#include "runtime/message_pump.h"
#include "toolkit/core/host_window.h"

namespace ui {

namespace {

// Animation kinds of Show and of the close animation.
enum AnimationKind : int {
    kAnimateNone = 0,
    kAnimateFade = 1,
    kAnimateZoom = 2,
    kAnimateSlide = 3,
    kAnimateSlideMirrored = 4
};

int StepsOfCloseAnimation(int kind) {
    return kind == kAnimateZoom ? 20 : 15;
}

void SleepWhilePumping(int ms) {
    rt::PumpMessages();
    Sleep(static_cast<DWORD>(ms));
}

}  // namespace

void HostWindow::MakeLayeredForAnimation() {
    LONG ex = GetWindowLongW(window_, GWL_EXSTYLE);
    if (!(ex & WS_EX_LAYERED)) SetWindowLongW(window_, GWL_EXSTYLE, ex | WS_EX_LAYERED);
}

void HostWindow::OnClose() {
    closing_ = true;
    if (animationKind_ != kAnimateNone && back_.IsValid()) {
        MakeLayeredForAnimation();
        PresentLayered(back_.Dc(), 255);
        busy_ = true;
        RunAnimation(animationKind_, true, StepsOfCloseAnimation(animationKind_), 10);
        busy_ = false;
    }
    if (window_) ShowWindow(window_, SW_HIDE);
}

void HostWindow::Show(int animationKind, int durationMs) {
    if (!window_) return;
    rt::PumpMessages();
    if (!window_) return;
    if (animationKind == kAnimateNone) {
        if (shadowWindowFlag_) PlaceShadowWindow();
        ShowWindow(window_, SW_SHOWNORMAL);
        return;
    }
    bool wasLayered = (GetWindowLongW(window_, GWL_EXSTYLE) & WS_EX_LAYERED) != 0;
    MakeLayeredForAnimation();
    busy_ = true;
    DibSurface blank;
    blank.Create(size_.cx, size_.cy);
    PresentLayered(blank.Dc(), 0);
    ShowWindow(window_, SW_SHOWNORMAL);
    int steps = std::max(1, durationMs / 10);
    RunAnimation(animationKind, false, steps, 10);
    if (!window_) return;
    busy_ = false;
    if (!wasLayered) {
        SetWindowLongW(window_, GWL_EXSTYLE, GetWindowLongW(window_, GWL_EXSTYLE) & ~WS_EX_LAYERED);
    }
    Refresh();
    RedrawWindow(window_, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

void HostWindow::RunAnimation(int kind, bool closing, int steps, int stepMs) {
    // The look at the start, kept aside: the back buffer may change while messages are pumped.
    DibSurface still;
    still.Create(size_.cx, size_.cy);
    BitBlt(still.Dc(), 0, 0, size_.cx, size_.cy, back_.Dc(), 0, 0, SRCCOPY);
    DibSurface frame;
    frame.Create(size_.cx, size_.cy);
    for (int step = 1; step <= steps && window_; ++step) {
        // progress 0 = fully shown, 1 = gone.
        double progress = closing ? double(step) / steps : 1.0 - double(step) / steps;
        int alpha = kind == kAnimateFade && closing ? 255 - 17 * step
                                                    : static_cast<int>(255 * (1 - progress));
        if (kind == kAnimateFade) {
            PresentLayered(still.Dc(), std::clamp(alpha, 0, 255));
        } else {
            frame.ClearAll();
            DrawAnimationFrame(frame, still, kind, progress);
            PresentLayered(frame.Dc(), std::clamp(alpha, 0, 255));
        }
        SleepWhilePumping(stepMs);
    }
}

void HostWindow::DrawAnimationFrame(DibSurface& target, const DibSurface& still, int kind,
                                    double progress) {
    float w = static_cast<float>(size_.cx), h = static_cast<float>(size_.cy);
    GpImage* source = still.Bitmap();
    RectF dest{0, 0, w, h};
    if (kind == kAnimateZoom) {
        float scale = static_cast<float>(1.0 - 0.3 * progress);
        dest = {w * (1 - scale) / 2, h * (1 - scale) / 2, w * scale, h * scale};
    } else if (kind == kAnimateSlide) {
        dest.x = -static_cast<float>(std::round(w * 0.25 * progress));
    } else if (kind == kAnimateSlideMirrored) {
        dest.x = static_cast<float>(std::round(w * 0.25 * progress));
    }
    DrawImageAlpha(target.Graphics(), source, dest);
}

void HostWindow::OnFadeInTick() {
    fadeAlpha_ = std::min(255, fadeAlpha_ + 51);
    PresentLayered(back_.Dc(), fadeAlpha_);
    if (fadeAlpha_ < 255) return;
    KillTimer(window_, reinterpret_cast<UINT_PTR>(this));
    busy_ = false;
    Present({0, 0, static_cast<float>(size_.cx), static_cast<float>(size_.cy)});
}

}  // namespace ui

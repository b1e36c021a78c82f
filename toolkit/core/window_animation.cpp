#include "toolkit/core/window_animation.h"

#include <algorithm>
#include <cmath>

#include "runtime/message_pump.h"

namespace ui {

namespace {

void SleepWhilePumping(int ms) {
    rt::PumpMessages();
    Sleep(static_cast<DWORD>(ms));
}

void DrawAnimationFrame(DibSurface& target, const DibSurface& still, AnimationKind kind,
                        double progress) {
    float w = static_cast<float>(still.Width()), h = static_cast<float>(still.Height());
    RectF dest{0, 0, w, h};
    if (kind == AnimationKind::kZoom) {
        float scale = static_cast<float>(1.0 - 0.3 * progress);
        dest = {w * (1 - scale) / 2, h * (1 - scale) / 2, w * scale, h * scale};
    } else if (kind == AnimationKind::kSlide) {
        dest.x = -static_cast<float>(std::round(w * 0.25 * progress));
    } else if (kind == AnimationKind::kSlideMirrored) {
        dest.x = static_cast<float>(std::round(w * 0.25 * progress));
    }
    DrawImageAlpha(target.Graphics(), still.Bitmap(), dest);
}

}  // namespace

bool MakeLayered(HWND window) {
    LONG ex = GetWindowLongW(window, GWL_EXSTYLE);
    if (!(ex & WS_EX_LAYERED)) SetWindowLongW(window, GWL_EXSTYLE, ex | WS_EX_LAYERED);
    return (ex & WS_EX_LAYERED) != 0;
}

int CloseAnimationSteps(AnimationKind kind) {
    return kind == AnimationKind::kZoom ? 20 : 15;
}

void RunWindowAnimation(HWND window, Compositor& compositor, AnimationKind kind, bool closing,
                        int steps, int stepMs) {
    // The look at the start, kept aside: the back buffer may change while messages are pumped.
    int width = compositor.Width(), height = compositor.Height();
    DibSurface still;
    still.Create(width, height);
    BitBlt(still.Dc(), 0, 0, width, height, compositor.BackBuffer().Dc(), 0, 0, SRCCOPY);
    DibSurface frame;
    frame.Create(width, height);
    for (int step = 1; step <= steps && compositor.IsReady() && IsWindow(window); ++step) {
        // progress 0 = fully shown, 1 = gone.
        double progress = closing ? double(step) / steps : 1.0 - double(step) / steps;
        bool fade = kind == AnimationKind::kFade;
        int alpha = fade && closing ? 255 - 17 * step : static_cast<int>(255 * (1 - progress));
        if (fade) {
            compositor.PresentLayered(still.Dc(), std::clamp(alpha, 0, 255));
        } else {
            frame.ClearAll();
            DrawAnimationFrame(frame, still, kind, progress);
            compositor.PresentLayered(frame.Dc(), std::clamp(alpha, 0, 255));
        }
        SleepWhilePumping(stepMs);
    }
}

}  // namespace ui

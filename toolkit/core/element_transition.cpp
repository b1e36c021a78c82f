#include "toolkit/core/element_transition.h"

namespace ui {

void ElementTransition::Begin(HWND window, UINT_PTR timerId, int interval, int frames,
                              TransitionStyle style) {
    End();
    window_ = window;
    timerId_ = timerId;
    interval_ = interval;
    frames_ = frames;
    style_ = style;
}

void ElementTransition::End() {
    if (window_) KillTimer(window_, timerId_);
    *this = {};
}

void ElementTransition::Stop() {
    KillTimer(window_, timerId_);
    frame_ = frames_;
}

void ElementTransition::KeepSnapshot(GpImage* current) {
    GpImage* clone = nullptr;
    if (current) gp::GdipCloneImage(current, &clone);
    snapshot_.reset(clone);
}

void ElementTransition::StartTimer() {
    SetTimer(window_, timerId_, static_cast<UINT>(interval_), nullptr);
}

void ElementTransition::Finish() {
    KillTimer(window_, timerId_);
    snapshot_.reset();
    frame_ = 0;
}

}  // namespace ui

// The fade of one element from its old look to its new one: how it runs (frames, the interval
// between them, how it is drawn), how far it is, and the old look (the snapshot). The element
// drives it from its paints and its fade timer; composition reads it (transitions.h).
#pragma once

#include <windows.h>

#include "toolkit/core/gdiplus_api.h"

namespace ui {

// How a change of look is animated.
enum class TransitionStyle : int {
    kCrossFade = 0,
    kSlideDown = 1,
    kSlideUp = 2,
    kSlideRight = 3,
    kSlideLeft = 4,
};

class ElementTransition {
  public:
    // At creation: the window and id of the fade timer, and how changes fade. Any fade of an
    // earlier creation is over.
    void Begin(HWND window, UINT_PTR timerId, int interval, int frames, TransitionStyle style);
    // At destruction: stops the timer and forgets everything.
    void End();

    int Interval() const { return interval_; }
    void SetInterval(int interval) { interval_ = interval; }
    int Frames() const { return frames_; }
    void SetFrames(int frames) { frames_ = frames; }
    // Frames shown of the current fade.
    int Frame() const { return frame_; }
    TransitionStyle Style() const { return style_; }
    void SetStyle(TransitionStyle style) { style_ = style; }
    GpImage* Snapshot() const { return snapshot_.get(); }

    // Whether a change of look fades: both an interval and frames are set.
    bool Fades() const { return interval_ && frames_; }
    // Whether composition draws a fade: the element fades and the last frame is not reached.
    bool Running() const { return Fades() && frame_ != frames_; }

    void DropSnapshot() { snapshot_.reset(); }
    // Ends a running fade at once, timer and all.
    void Stop();
    // Keeps a copy of the look that is going.
    void KeepSnapshot(GpImage* current);
    // A fade starts from frame 0; its timer then steps it.
    void Rewind() { frame_ = 0; }
    void StartTimer();
    // One step; returns true when it reached the last frame.
    bool Advance() { return ++frame_ >= frames_; }
    // After the last frame: the timer stops, the snapshot goes and the count is 0 again.
    void Finish();

  private:
    HWND window_ = nullptr;
    UINT_PTR timerId_ = 0;
    int interval_ = 0;
    int frames_ = 0;
    int frame_ = 0;
    TransitionStyle style_ = TransitionStyle::kCrossFade;
    ImagePtr snapshot_;
};

}  // namespace ui

// The rectangles waiting to be repainted in one window. While a pass runs, new rectangles join
// it, so a layered window is presented once per pass and not once per rectangle.
#pragma once

#include <deque>

#include "toolkit/core/element_messages.h"
#include "toolkit/core/geometry.h"

namespace ui {

class Compositor;

class DirtyRectQueue {
  public:
    explicit DirtyRectQueue(Compositor& compositor) : compositor_(compositor) {}
    // kQueue appends, kNow repaints at once, kFirst puts the rectangle first. Then, unless a
    // pass is already running, the queue is processed.
    void Add(const RectF& rect, RepaintMode mode);
    // Adds without processing, for callers that queue several rectangles for one pass.
    void Append(const RectF& rect) { entries_.push_back(rect); }
    void Process();
    void Clear() { entries_.clear(); }
    bool Busy() const { return busy_; }
    std::size_t Pending() const { return entries_.size(); }

  private:
    Compositor& compositor_;
    std::deque<RectF> entries_;
    bool busy_ = false;
};

}  // namespace ui

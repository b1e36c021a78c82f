// The rectangles of one window that wait to be repainted, in the order they will be. A rectangle
// that one already waiting covers adds nothing; the compositor takes them out when it flushes.
#pragma once

#include <cstddef>
#include <deque>
#include <optional>

#include "toolkit/core/geometry.h"

namespace ui {

class DirtyRectQueue {
  public:
    // Appends `rect`, or puts it first; either is dropped when a waiting rectangle covers it.
    void Add(const RectF& rect);
    void AddFirst(const RectF& rect);
    // The first waiting rectangle, removed; empty when none waits.
    std::optional<RectF> Take();
    void Clear() { entries_.clear(); }
    std::size_t Pending() const { return entries_.size(); }

  private:
    bool IsCovered(const RectF& rect) const;

    std::deque<RectF> entries_;
};

}  // namespace ui

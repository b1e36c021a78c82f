#include "toolkit/core/dirty_rect_queue.h"

#include <algorithm>

namespace ui {

bool DirtyRectQueue::IsCovered(const RectF& rect) const {
    return std::any_of(entries_.begin(), entries_.end(),
                       [&rect](const RectF& entry) { return Covers(entry, rect); });
}

void DirtyRectQueue::Add(const RectF& rect) {
    if (!IsCovered(rect)) entries_.push_back(rect);
}

void DirtyRectQueue::AddFirst(const RectF& rect) {
    if (!IsCovered(rect)) entries_.push_front(rect);
}

std::optional<RectF> DirtyRectQueue::Take() {
    if (entries_.empty()) return std::nullopt;
    RectF rect = entries_.front();
    entries_.pop_front();
    return rect;
}

}  // namespace ui

#include "toolkit/core/dirty_rect_queue.h"

#include "toolkit/core/compositor.h"

namespace ui {

void DirtyRectQueue::Add(const RectF& rect, RepaintMode mode) {
    if (mode == RepaintMode::kNow) {
        compositor_.RepaintRect(rect, true);
    } else if (mode == RepaintMode::kFirst) {
        entries_.push_front(rect);
    } else {
        entries_.push_back(rect);
    }
    if (!busy_ && !entries_.empty()) Process();
}

void DirtyRectQueue::Process() {
    if (busy_) return;
    busy_ = true;
    bool layered = compositor_.IsLayered();
    while (!entries_.empty()) {
        RectF rect = entries_.front();
        entries_.pop_front();
        compositor_.RepaintRect(rect, !layered);
    }
    if (layered && !compositor_.Busy()) compositor_.PresentWhole();
    busy_ = false;
}

}  // namespace ui

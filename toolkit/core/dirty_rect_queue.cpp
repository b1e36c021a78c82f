#include "toolkit/core/dirty_rect_queue.h"

#include "toolkit/core/host_window.h"

namespace ui {

void DirtyRectQueue::Add(const RectF& rect, int mode) {
    if (!host_) return;
    if (mode == kRepaintNow) {
        host_->RepaintRect(rect, true);
    } else if (mode == kRepaintFirst) {
        entries_.push_front(rect);
    } else {
        entries_.push_back(rect);
    }
    if (!busy_ && !entries_.empty()) Process();
}

void DirtyRectQueue::Process() {
    if (!host_ || busy_) return;
    busy_ = true;
    bool layered = host_->IsLayered();
    while (!entries_.empty()) {
        RectF rect = entries_.front();
        entries_.pop_front();
        host_->RepaintRect(rect, !layered);
    }
    if (layered && !host_->Busy()) {
        host_->Present(
            {0, 0, static_cast<float>(host_->Width()), static_cast<float>(host_->Height())});
    }
    busy_ = false;
}

}  // namespace ui

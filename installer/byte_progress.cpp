#include "installer/byte_progress.h"

#include <algorithm>

namespace inst {

ProgressThrottle::ProgressThrottle(ByteProgress* target, std::uint64_t total)
    : target_(target), total_(total) {}

void ProgressThrottle::Report(std::uint64_t done) {
    if (target_ == nullptr || done < next_) return;
    target_->Advance(done, total_);
    if (done >= total_) {
        next_ = UINT64_MAX;  // the end has been told
    } else {
        next_ = std::min(done + kProgressStep, total_);
    }
}

}  // namespace inst

// How far a long step (decoding the payload, writing the product's files) has come, in bytes,
// told on the thread that does the work. Portable.
#pragma once

#include <cstdint>

namespace inst {

class ByteProgress {
  public:
    virtual ~ByteProgress() = default;
    // `done` grows from 0 to `total`; the last call of a step has done == total.
    virtual void Advance(std::uint64_t done, std::uint64_t total) = 0;
};

// The granularity of progress: a step reports at its start, each time at least this many more
// bytes are done, and at its end. Fine enough for a bar to move smoothly, coarse enough that a
// repaint at each report costs little next to the work.
inline constexpr std::uint64_t kProgressStep = 1u << 20;

// Lets a worker report after every small piece for next to nothing: passes progress on only at
// the start, each kProgressStep and at the end. With no target it does nothing.
class ProgressThrottle {
  public:
    ProgressThrottle(ByteProgress* target, std::uint64_t total);
    void Report(std::uint64_t done);

  private:
    ByteProgress* target_;
    std::uint64_t total_;
    std::uint64_t next_ = 0;
};

}  // namespace inst

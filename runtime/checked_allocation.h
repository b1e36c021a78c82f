// Memory whose amount comes from outside the program (the size a payload declares, the lengths
// an archive stores) may simply not be there. Such an allocation is checked: its failure is a
// result the caller reports, not the program-wide ending with "内存不足". Portable.
#pragma once

#include <cstdint>

#include "runtime/value_types.h"

namespace rt {

// While one lives on a thread, a failed `new` on that thread throws std::bad_alloc to its
// caller instead of taking the program's out-of-memory ending (see out_of_memory.h).
class CheckedAllocationScope {
  public:
    CheckedAllocationScope();
    ~CheckedAllocationScope();
    CheckedAllocationScope(const CheckedAllocationScope&) = delete;
    CheckedAllocationScope& operator=(const CheckedAllocationScope&) = delete;

    // True on a thread inside a scope.
    static bool Active();
};

// Gives `bytes` exactly `size` zero bytes. False, with `bytes` empty, when memory cannot hold
// them.
bool TryAssignZeros(ByteSet& bytes, std::uint64_t size);

// Gives `bytes` the length `size`, keeping what it holds and adding zero bytes. False, with
// `bytes` unchanged, when memory cannot hold them.
bool TryResize(ByteSet& bytes, std::uint64_t size);

}  // namespace rt

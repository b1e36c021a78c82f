// Memory whose amount comes from outside the program (the size a payload declares, the lengths
// an archive stores) may simply not be there. Such an allocation is checked: its failure is a
// result the caller reports, not the program-wide ending with "内存不足". Portable.
#pragma once

#include <cstdint>

#include "runtime/value_types.h"

namespace rt {

// Gives `bytes` exactly `size` zero bytes. False, with `bytes` empty, when memory cannot hold
// them.
bool TryAssignZeros(ByteSet& bytes, std::uint64_t size);

// Gives `bytes` the length `size`, keeping what it holds and adding zero bytes. False, with
// `bytes` unchanged, when memory cannot hold them.
bool TryResize(ByteSet& bytes, std::uint64_t size);

}  // namespace rt

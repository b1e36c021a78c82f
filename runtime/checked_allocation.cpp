#include "runtime/checked_allocation.h"

#include <cstdlib>

namespace rt {

bool TryResize(ByteSet& bytes, std::uint64_t size) {
    if (size > bytes.max_size()) return false;
    const auto length = static_cast<std::size_t>(size);
    if (length > bytes.capacity()) {
        // The program is built without exceptions, so a failed `new` cannot come back as a
        // result: the block is asked of the heap first, beside the bytes already held, as the
        // vector's own growth will need it. Another thread taking the memory in the moment
        // between leaves the program-wide ending, as for any other allocation.
        void* probe = std::malloc(length);
        if (probe == nullptr) return false;
        std::free(probe);
        bytes.reserve(length);  // exactly `length`, where resize() alone may double
    }
    bytes.resize(length);
    return true;
}

bool TryAssignZeros(ByteSet& bytes, std::uint64_t size) {
    ByteSet().swap(bytes);
    return TryResize(bytes, size);
}

}  // namespace rt

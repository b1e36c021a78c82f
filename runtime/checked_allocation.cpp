#include "runtime/checked_allocation.h"

#include <new>
#include <stdexcept>

namespace rt {
namespace {

thread_local int scopeDepth = 0;

}  // namespace

CheckedAllocationScope::CheckedAllocationScope() {
    ++scopeDepth;
}

CheckedAllocationScope::~CheckedAllocationScope() {
    --scopeDepth;
}

bool CheckedAllocationScope::Active() {
    return scopeDepth > 0;
}

bool TryResize(ByteSet& bytes, std::uint64_t size) {
    if (size > bytes.max_size()) return false;
    CheckedAllocationScope scope;
    try {
        bytes.resize(static_cast<std::size_t>(size));
        return true;
    } catch (const std::bad_alloc&) {
    } catch (const std::length_error&) {
    }
    return false;
}

bool TryAssignZeros(ByteSet& bytes, std::uint64_t size) {
    ByteSet().swap(bytes);
    return TryResize(bytes, size);
}

}  // namespace rt

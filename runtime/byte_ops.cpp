#include "runtime/byte_ops.h"

#include <algorithm>

namespace rt {
namespace {

ByteSet Slice(const ByteSet& bytes, std::size_t offset, std::size_t count) {
    offset = std::min(offset, bytes.size());
    count = std::min(count, bytes.size() - offset);
    return ByteSet(bytes.begin() + static_cast<std::ptrdiff_t>(offset),
                   bytes.begin() + static_cast<std::ptrdiff_t>(offset + count));
}

std::size_t OffsetOf(int start) {
    return start < 1 ? 0 : static_cast<std::size_t>(start - 1);
}

}  // namespace

int BytesLength(const ByteSet& bytes) {
    return static_cast<int>(bytes.size());
}

ByteSet BytesNew(int count) {
    if (count < 1) return {};
    return ByteSet(static_cast<std::size_t>(count), 0);
}

ByteSet BytesLeft(const ByteSet& bytes, int count) {
    if (count < 1) return {};
    return Slice(bytes, 0, static_cast<std::size_t>(count));
}

ByteSet BytesRight(const ByteSet& bytes, int count) {
    if (count < 1) return {};
    const std::size_t n = std::min(bytes.size(), static_cast<std::size_t>(count));
    return Slice(bytes, bytes.size() - n, n);
}

ByteSet BytesMid(const ByteSet& bytes, int start, int count) {
    const std::size_t offset = OffsetOf(start);
    if (offset >= bytes.size() || count < 1) return {};
    return Slice(bytes, offset, static_cast<std::size_t>(count));
}

int BytesFind(const ByteSet& bytes, const ByteSet& pattern, int start) {
    const std::size_t offset = OffsetOf(start);
    if (pattern.empty() || offset >= bytes.size()) return -1;
    const auto from = bytes.begin() + static_cast<std::ptrdiff_t>(offset);
    const auto found = std::search(from, bytes.end(), pattern.begin(), pattern.end());
    if (found == bytes.end()) return -1;
    return static_cast<int>(found - bytes.begin()) + 1;
}

ByteSet BytesReplace(const ByteSet& bytes, int start, int count, const ByteSet& replacement) {
    if (bytes.empty()) return replacement;
    const std::size_t offset = OffsetOf(start);
    if (offset >= bytes.size() || count < 1) return bytes;
    const std::size_t removed = std::min(bytes.size() - offset, static_cast<std::size_t>(count));
    ByteSet result(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(offset));
    result.insert(result.end(), replacement.begin(), replacement.end());
    result.insert(result.end(), bytes.begin() + static_cast<std::ptrdiff_t>(offset + removed),
                  bytes.end());
    return result;
}

ByteSet BytesFromMemory(const void* address, int count) {
    if (count < 1 || address == nullptr) return {};
    ByteSet copy(static_cast<std::size_t>(count));
    if (!CopyReadableMemory(address, copy.size(), copy.data())) return {};
    return copy;
}

}  // namespace rt

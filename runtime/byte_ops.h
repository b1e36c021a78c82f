// Operations on byte sets. Positions are 1-based, -1 means not found, an empty result is the
// null (empty) byte set. Portable.
#pragma once

#include <cstddef>

#include "runtime/value_types.h"

namespace rt {

int BytesLength(const ByteSet& bytes);
// `count` zero bytes.
ByteSet BytesNew(int count);
ByteSet BytesLeft(const ByteSet& bytes, int count);
ByteSet BytesRight(const ByteSet& bytes, int count);
// Up to `count` bytes from `start` (below 1 counts as 1).
ByteSet BytesMid(const ByteSet& bytes, int start, int count);
// The first occurrence at or after `start` (below 1 counts as 1).
int BytesFind(const ByteSet& bytes, const ByteSet& pattern, int start = 1);
// A copy with `count` bytes from `start` replaced by `replacement` (removed when it is empty).
ByteSet BytesReplace(const ByteSet& bytes, int start, int count, const ByteSet& replacement = {});
// A copy of `count` bytes at `address`; null when the range is not wholly readable.
ByteSet BytesFromMemory(const void* address, int count);

// Copies `count` bytes from `from` to `to` when every byte of the source is readable memory;
// otherwise copies nothing and returns false. Supplied by each platform.
bool CopyReadableMemory(const void* from, std::size_t count, std::uint8_t* to);

}  // namespace rt

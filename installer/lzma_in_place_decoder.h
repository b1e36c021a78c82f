// Raw LZMA1 decoding that keeps one copy of the image in memory instead of two.
//
// liblzma decodes into a dictionary buffer of its own and copies out of it; with a dictionary
// as large as the image, that buffer ends up holding the whole image a second time. Here the
// decoder is handed the image itself when it asks for its dictionary (through a custom
// allocator), output passes through a small scratch buffer, and the image fills in place.
// That liblzma lays the dictionary out from its first byte is how it works, not a promise,
// so the result is checked against a CRC-32 of the bytes that came out. Portable.
#pragma once

#include <lzma.h>

#include <cstdint>
#include <span>

#include "installer/byte_progress.h"
#include "installer/compressed_feed.h"
#include "runtime/value_types.h"

namespace inst {

// Returned when this liblzma did not place the decoded bytes where expected; the stream itself
// decoded fine, and the caller decodes it the ordinary way.
inline constexpr int kInPlaceUnavailable = -1;

// Decodes exactly imageSize bytes of the raw LZMA1 stream with `options` (whose dictionary
// size is replaced) into `image`. LZMA_OK, kInPlaceUnavailable, or the failure's lzma_ret
// code: LZMA_DATA_ERROR also for a stream that ends before imageSize bytes or whose input
// cannot be read. `progress`, when given, hears the bytes decoded so far.
int DecodeLzma1InPlace(CompressedFeed input, lzma_options_lzma options, std::uint32_t imageSize,
                       rt::ByteSet& image, ProgressThrottle* progress = nullptr);

}  // namespace inst

// Makes a payload container from an archive image: raw LZMA1 with the chosen properties,
// followed by the properties and the image length. Used by the packer and the tests; the
// program itself only decodes. Portable.
#pragma once

#include <cstdint>
#include <functional>
#include <span>

#include "installer/payload_codec.h"
#include "runtime/value_types.h"

namespace inst {

struct PayloadOptions {
    LzmaProperties properties;  // stored in the trailer; lc 3, lp 0, pb 2, 64 MiB by default
    std::uint32_t preset = 6;   // encoder effort, 0 (fast) to 9
    // The encoder's search, which the decoder never sees: liblzma's lzma_match_finder value
    // (0x04 hc4, 0x14 bt4, ...), the match length that ends a search and how many candidates
    // the match finder follows; 0 takes the preset's.
    std::uint32_t matchFinder = 0;
    std::uint32_t niceLength = 0;
    std::uint32_t depth = 0;
    bool endMarker = false;  // the shipped kind carries none
};

// The dictionary size to store for an image: the smallest 2^n or 3 * 2^(n-1) bytes that holds
// it (the sizes xz and the LZMA SDK write), at least 4 KiB. Matches never reach past the image's
// start, so a larger one gains nothing and only makes other decoders allocate more.
std::uint32_t FittingDictionarySize(std::uint64_t imageSize);

// Called now and then with the bytes of the image compressed so far.
using PackProgress = std::function<void(std::uint64_t done, std::uint64_t total)>;

// 0 (LZMA_OK) with the container in `payload`, or the encoder's lzma_ret code. Images of 4 GiB
// and more do not fit the container's u32 length and give LZMA_DATA_ERROR.
int PackPayload(std::span<const std::uint8_t> image, const PayloadOptions& options,
                rt::ByteSet& payload, const PackProgress& progress = {});

}  // namespace inst

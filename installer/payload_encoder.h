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
    bool endMarker = false;     // the shipped kind carries none
};

// Called now and then with the bytes of the image compressed so far.
using PackProgress = std::function<void(std::uint64_t done, std::uint64_t total)>;

// 0 (LZMA_OK) with the container in `payload`, or the encoder's lzma_ret code. Images of 4 GiB
// and more do not fit the container's u32 length and give LZMA_DATA_ERROR.
int PackPayload(std::span<const std::uint8_t> image, const PayloadOptions& options,
                rt::ByteSet& payload, const PackProgress& progress = {});

}  // namespace inst

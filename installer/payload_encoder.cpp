#include "installer/payload_encoder.h"

#include <lzma.h>

#include <algorithm>

#include "installer/archive_format.h"

namespace inst {

namespace {

constexpr std::size_t kChunk = 1 << 20;

// Matches can never reach further back than the image's start, so a dictionary of the image's
// size compresses as well as the stored one and spares the match finder hundreds of megabytes.
std::uint32_t EncoderDictionarySize(std::uint32_t stored, std::size_t imageSize) {
    const auto needed = static_cast<std::uint32_t>(std::max<std::size_t>(imageSize, 1));
    return std::max<std::uint32_t>(LZMA_DICT_SIZE_MIN, std::min(stored, needed));
}

int Compress(lzma_stream& stream, std::span<const std::uint8_t> image, rt::ByteSet& out,
             const PackProgress& progress) {
    std::size_t fed = 0;
    lzma_ret result = LZMA_OK;
    while (result == LZMA_OK) {
        if (stream.avail_in == 0 && fed < image.size()) {
            const std::size_t piece = std::min(kChunk, image.size() - fed);
            stream.next_in = image.data() + fed;
            stream.avail_in = piece;
            fed += piece;
            if (progress) progress(fed - piece, image.size());
        }
        if (stream.avail_out == 0) {
            const std::size_t used = out.size();
            out.resize(used + kChunk);
            stream.next_out = out.data() + used;
            stream.avail_out = kChunk;
        }
        result = lzma_code(&stream, fed == image.size() ? LZMA_FINISH : LZMA_RUN);
    }
    out.resize(out.size() - stream.avail_out);
    if (progress) progress(image.size(), image.size());
    return result == LZMA_STREAM_END ? LZMA_OK : result;
}

}  // namespace

std::uint32_t FittingDictionarySize(std::uint64_t imageSize) {
    std::uint64_t size = LZMA_DICT_SIZE_MIN;
    while (size < imageSize) {
        // 2^n, then 3 * 2^(n-1), then 2^(n+1).
        const bool power = (size & (size - 1)) == 0;
        size = power ? size + size / 2 : size / 3 * 4;
    }
    return static_cast<std::uint32_t>(std::min<std::uint64_t>(size, UINT32_MAX));
}

int PackPayload(std::span<const std::uint8_t> image, const PayloadOptions& options,
                rt::ByteSet& payload, const PackProgress& progress) {
    payload.clear();
    if (image.size() > UINT32_MAX) return LZMA_DATA_ERROR;
    lzma_options_lzma lzma{};
    if (lzma_lzma_preset(&lzma, options.preset)) return LZMA_OPTIONS_ERROR;
    lzma.lc = options.properties.lc;
    lzma.lp = options.properties.lp;
    lzma.pb = options.properties.pb;
    lzma.dict_size = EncoderDictionarySize(options.properties.dictionarySize, image.size());
    if (options.matchFinder != 0) lzma.mf = static_cast<lzma_match_finder>(options.matchFinder);
    if (options.niceLength != 0) lzma.nice_len = options.niceLength;
    if (options.depth != 0) lzma.depth = options.depth;
    lzma.ext_flags = options.endMarker ? LZMA_LZMA1EXT_ALLOW_EOPM : 0;
    const lzma_filter filters[] = {{LZMA_FILTER_LZMA1EXT, &lzma}, {LZMA_VLI_UNKNOWN, nullptr}};
    lzma_stream stream = LZMA_STREAM_INIT;
    int result = lzma_raw_encoder(&stream, filters);
    if (result == LZMA_OK) result = Compress(stream, image, payload, progress);
    lzma_end(&stream);
    if (result != LZMA_OK) {
        payload.clear();
        return result;
    }
    AppendLzmaProperties(payload, options.properties);
    AppendU32(payload, static_cast<std::uint32_t>(image.size()));
    return LZMA_OK;
}

}  // namespace inst

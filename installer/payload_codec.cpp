#include "installer/payload_codec.h"

#include <lzma.h>

#include <algorithm>

#include "installer/archive_format.h"
#include "installer/compressed_feed.h"
#include "installer/lzma_in_place_decoder.h"
#include "runtime/checked_allocation.h"

namespace inst {

namespace {

// Below this the second copy does not matter and the plain decoder is used.
constexpr std::uint32_t kInPlaceMinimum = 1 << 20;
// The plain decoder's first piece of image.
constexpr std::uint64_t kFirstImageChunk = 1 << 20;

// Output bytes per input byte that no LZMA1 stream exceeds (see IsPlausibleImageSize), with
// room to spare, plus what the 5 bytes that start the range coder may yield.
constexpr std::uint64_t kMaxExpansion = 8192;
constexpr std::uint64_t kExpansionSlack = 1 << 16;

// The decoder never looks further back than what it has produced, so a dictionary as large as
// the image decodes exactly as the stored one; it spares a 64 MiB allocation for a small image.
std::uint32_t DecoderDictionarySize(const LzmaProperties& properties, std::uint32_t imageSize) {
    return std::max<std::uint32_t>(LZMA_DICT_SIZE_MIN,
                                   std::min(properties.dictionarySize, imageSize));
}

// The image grows with what the stream yields, by doubling up to the declared size: a size
// the stream cannot fill (a damaged trailer) costs no more memory or time than its real output.
bool GrowImage(rt::ByteSet& image, std::uint32_t imageSize) {
    const std::uint64_t doubled = std::max<std::uint64_t>(kFirstImageChunk, 2 * image.size());
    return rt::TryResize(image, std::min<std::uint64_t>(doubled, imageSize));
}

// Runs the decoder until the image is full, the input is used up or an error occurs. While
// the output buffer was full, the decoder may still hold bytes for a larger one.
int DecodeGrowing(lzma_stream& stream, CompressedFeed& input, std::uint32_t imageSize,
                  rt::ByteSet& image, ProgressThrottle& progress) {
    std::size_t produced = 0;
    bool outputFull = true;
    lzma_ret result = LZMA_OK;
    while (result == LZMA_OK && produced < imageSize && (input.Pending(stream) || outputFull)) {
        if (!input.Refill(stream)) return LZMA_DATA_ERROR;
        if (produced == image.size() && !GrowImage(image, imageSize)) return LZMA_MEM_ERROR;
        // Pieces of one progress step, so that progress is heard while the image grows.
        const std::size_t room = std::min<std::size_t>(image.size() - produced, kProgressStep);
        stream.next_out = image.data() + produced;
        stream.avail_out = room;
        result = lzma_code(&stream, LZMA_RUN);
        produced += room - stream.avail_out;
        outputFull = stream.avail_out == 0;
        progress.Report(produced);
    }
    if (produced == imageSize && (result == LZMA_OK || result == LZMA_STREAM_END)) return LZMA_OK;
    // An end marker or the end of the input before the image is full: the rest would be zeros.
    if (result == LZMA_OK || result == LZMA_STREAM_END) return LZMA_DATA_ERROR;
    return result;
}

// liblzma's own dictionary beside the image: twice the image in memory while decoding.
int DecodePlain(CompressedFeed input, lzma_options_lzma options, std::uint32_t imageSize,
                rt::ByteSet& image, ProgressThrottle& progress) {
    rt::ByteSet().swap(image);
    if (imageSize == 0) return LZMA_OK;
    const lzma_filter filters[] = {{LZMA_FILTER_LZMA1, &options}, {LZMA_VLI_UNKNOWN, nullptr}};
    lzma_stream stream = LZMA_STREAM_INIT;
    int result = lzma_raw_decoder(&stream, filters);
    if (result == LZMA_OK) result = DecodeGrowing(stream, input, imageSize, image, progress);
    lzma_end(&stream);
    return result;
}

// The container's stream from memory, or through `read` when given.
CompressedFeed StreamOf(std::span<const std::uint8_t> container, const ContainerReader* read) {
    const std::span<const std::uint8_t> stream =
        container.first(container.size() - kPayloadTrailerSize);
    if (read == nullptr) return stream;
    return {*read, stream.size()};
}

}  // namespace

std::uint32_t DeclaredImageSize(std::span<const std::uint8_t> payload) {
    if (payload.size() < kPayloadTrailerSize) return 0;
    return ReadU32(payload.data() + payload.size() - 4);
}

std::optional<LzmaProperties> DecodeLzmaProperties(std::span<const std::uint8_t> bytes) {
    if (bytes.size() < kLzmaPropertiesSize || bytes[0] >= 9 * 5 * 5) return {};
    LzmaProperties properties;
    properties.lc = bytes[0] % 9;
    properties.lp = bytes[0] / 9 % 5;
    properties.pb = bytes[0] / 45;
    properties.dictionarySize = ReadU32(bytes.data() + 1);
    return properties;
}

void AppendLzmaProperties(rt::ByteSet& out, const LzmaProperties& properties) {
    out.push_back(
        static_cast<std::uint8_t>((properties.pb * 5 + properties.lp) * 9 + properties.lc));
    AppendU32(out, properties.dictionarySize);
}

bool IsPlausibleImageSize(std::uint64_t streamSize, std::uint64_t imageSize) {
    return imageSize <= streamSize * kMaxExpansion + kExpansionSlack;
}

int UnpackPayload(std::span<const std::uint8_t> payload, rt::ByteSet& image, DecodePath* path,
                  ByteProgress* progress) {
    return UnpackContainer(payload, nullptr, image, path, progress);
}

int UnpackContainer(std::span<const std::uint8_t> payload, const ContainerReader* read,
                    rt::ByteSet& image, DecodePath* path, ByteProgress* progress) {
    if (path != nullptr) *path = DecodePath::kNone;
    rt::ByteSet().swap(image);
    if (payload.size() < kPayloadTrailerSize) return LZMA_DATA_ERROR;
    const auto trailer = payload.last(kPayloadTrailerSize);
    const std::uint32_t imageSize = DeclaredImageSize(payload);
    const auto properties = DecodeLzmaProperties(trailer.first(kLzmaPropertiesSize));
    if (!properties) return LZMA_OPTIONS_ERROR;
    if (!IsPlausibleImageSize(payload.size() - kPayloadTrailerSize, imageSize))
        return LZMA_DATA_ERROR;

    lzma_options_lzma options{};
    lzma_lzma_preset(&options, LZMA_PRESET_DEFAULT);
    options.lc = properties->lc;
    options.lp = properties->lp;
    options.pb = properties->pb;
    options.dict_size = DecoderDictionarySize(*properties, imageSize);
    // One throttle for both decoders: a second decoding stays silent until it passes the first.
    ProgressThrottle throttle(progress, imageSize);
    throttle.Report(0);
    DecodePath taken = DecodePath::kPlain;
    int result = kInPlaceUnavailable;
    if (imageSize >= kInPlaceMinimum && properties->dictionarySize >= imageSize) {
        taken = DecodePath::kInPlace;
        result = DecodeLzma1InPlace(StreamOf(payload, read), options, imageSize, image, &throttle);
    }
    if (result == kInPlaceUnavailable) {
        if (taken == DecodePath::kInPlace) taken = DecodePath::kPlainAfterInPlace;
        result = DecodePlain(StreamOf(payload, read), options, imageSize, image, throttle);
    }
    if (path != nullptr) *path = taken;
    if (result != LZMA_OK) rt::ByteSet().swap(image);
    return result;
}

const char* DecodePathName(DecodePath path) {
    switch (path) {
        case DecodePath::kInPlace:
            return "in place (one copy of the image in memory)";
        case DecodePath::kPlain:
            return "plain (liblzma's dictionary beside the image)";
        case DecodePath::kPlainAfterInPlace:
            return "plain after the in-place attempt failed (decoded twice)";
        default:
            return "none (the payload was refused before decoding)";
    }
}

std::uint32_t ImageChecksum(std::span<const std::uint8_t> image) {
    return lzma_crc32(image.data(), image.size(), 0);
}

int UnpackShippedPayload(const ShippedPayload& payload, rt::ByteSet& image,
                         ByteProgress* progress) {
    const ContainerReader* read = payload.read ? &payload.read : nullptr;
    const int result = UnpackContainer(payload.container, read, image, nullptr, progress);
    if (result != LZMA_OK) return result;
    if (ImageChecksum(image) == payload.imageChecksum) return LZMA_OK;
    rt::ByteSet().swap(image);
    return LZMA_DATA_ERROR;
}

}  // namespace inst

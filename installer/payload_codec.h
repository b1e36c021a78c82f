// The payload container stored in the program: a raw LZMA1 stream (no header of its own),
// then 5 LZMA property bytes (lc/lp/pb byte and u32 dictionary size), then the u32 length of
// the archive image it decodes to. Portable.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <span>

#include "installer/byte_progress.h"
#include "runtime/value_types.h"

namespace inst {

inline constexpr std::size_t kPayloadTrailerSize = 9;
inline constexpr std::size_t kLzmaPropertiesSize = 5;

// Reads out.size() bytes from `offset` of a payload container; false when it cannot.
using ContainerReader = std::function<bool(std::uint64_t offset, std::span<std::uint8_t> out)>;

struct LzmaProperties {
    std::uint32_t lc = 3;
    std::uint32_t lp = 0;
    std::uint32_t pb = 2;
    std::uint32_t dictionarySize = 64u << 20;
};

// The archive image's size as the payload's trailer declares it; 0 for a payload shorter than
// its trailer.
std::uint32_t DeclaredImageSize(std::span<const std::uint8_t> payload);

// Nothing when the first byte is not (pb * 5 + lp) * 9 + lc with lc < 9, lp < 5, pb < 5.
std::optional<LzmaProperties> DecodeLzmaProperties(std::span<const std::uint8_t> bytes);
void AppendLzmaProperties(rt::ByteSet& out, const LzmaProperties& properties);

// Whether a raw LZMA1 stream of streamSize bytes can decode to imageSize bytes at all. The
// cheapest LZMA symbol, a repeated match of 273 bytes at the highest probabilities, still
// costs about 0.31 bits, so one input byte never yields more than about 7,100 output bytes.
bool IsPlausibleImageSize(std::uint64_t streamSize, std::uint64_t imageSize);

// Which decoder produced an image. In place, liblzma decodes straight into the image (one copy
// in memory); that depends on how liblzma lays out its dictionary, and when it does not work
// out the stream is decoded again the plain way, with liblzma's dictionary beside the image.
// Small images and dictionaries smaller than the image go the plain way at once.
enum class DecodePath { kNone, kInPlace, kPlain, kPlainAfterInPlace };
const char* DecodePathName(DecodePath path);

// Decodes the payload into `image`, which receives exactly the declared size. Returns 0
// (LZMA_OK) on success; otherwise the failure's lzma_ret code and an empty image: a payload
// shorter than its trailer, invalid properties, a declared size the stream cannot produce or
// memory cannot hold, corrupt data, and a stream that ends before the declared size is filled.
// Streams with and without an end marker both decode. `path`, when given, tells which decoder
// ran. `progress`, when given, hears the bytes of the image decoded so far, of the declared size
// (see ProgressThrottle for how often); it never goes back, not even when the stream has to be
// decoded a second time.
int UnpackPayload(std::span<const std::uint8_t> payload, rt::ByteSet& image,
                  DecodePath* path = nullptr, ByteProgress* progress = nullptr);
// The same, with the stream read through `read` when it is given (ShippedPayload): the span's
// bytes are then used only for the trailer, and a failed read is LZMA_DATA_ERROR.
int UnpackContainer(std::span<const std::uint8_t> payload, const ContainerReader* read,
                    rt::ByteSet& image, DecodePath* path = nullptr,
                    ByteProgress* progress = nullptr);

// A payload as the program carries it: the container and, recorded beside it by the build (the
// container's own layout has no room for it), the CRC-32 of the archive image it decodes to.
// A container that lies in a mapped file comes with a reader of its bytes: then the stream is
// read in pieces instead of through the view, whose pages would stay in memory once touched;
// only its trailer is read from the view.
// A payload appended to the program's file also tells where the program ends in that file.
struct ShippedPayload {
    std::span<const std::uint8_t> container;
    std::uint32_t imageChecksum = 0;
    ContainerReader read;
    // The length of the program in front of an appended payload; nothing when the payload is
    // part of the program (linked in) and the whole file is the program.
    std::optional<std::uint64_t> programLength;
};

// The checksum recorded for an image: its CRC-32 (the reflected CRC of zlib and PNG).
std::uint32_t ImageChecksum(std::span<const std::uint8_t> image);

// UnpackPayload, and the image must also have the recorded checksum: damage that the decoder
// itself does not notice fails as well (LZMA_DATA_ERROR and an empty image).
int UnpackShippedPayload(const ShippedPayload& payload, rt::ByteSet& image,
                         ByteProgress* progress = nullptr);

}  // namespace inst

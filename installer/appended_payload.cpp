#include "installer/appended_payload.h"

#include <lzma.h>

#include <algorithm>
#include <cstring>
#include <limits>

#include "installer/archive_format.h"
#include "installer/pe_layout.h"

namespace inst {

namespace {

constexpr std::size_t kTrailerFieldsSize = 12;
constexpr std::uint32_t kLongestPadding = 7;

std::uint32_t TrailerFieldsChecksum(const std::uint8_t* fields) {
    return lzma_crc32(fields, kTrailerFieldsSize, 0);
}

// Nothing unless the magic, the trailer's own checksum and the padding's length are right.
std::optional<AppendedTrailer> DecodeAppendedTrailer(const std::uint8_t* bytes) {
    if (std::memcmp(bytes + 16, kAppendedMagic, sizeof kAppendedMagic) != 0 ||
        ReadU32(bytes + 12) != TrailerFieldsChecksum(bytes))
        return {};
    const AppendedTrailer trailer{ReadU32(bytes), ReadU32(bytes + 4), ReadU32(bytes + 8)};
    if (trailer.paddingLength > kLongestPadding) return {};
    return trailer;
}

}  // namespace

rt::ByteSet EncodeAppendedTrailer(const AppendedTrailer& trailer) {
    rt::ByteSet bytes;
    AppendU32(bytes, trailer.containerLength);
    AppendU32(bytes, trailer.paddingLength);
    AppendU32(bytes, trailer.imageChecksum);
    AppendU32(bytes, TrailerFieldsChecksum(bytes.data()));
    bytes.insert(bytes.end(), std::begin(kAppendedMagic), std::end(kAppendedMagic));
    return bytes;
}

rt::ByteSet AppendedPayloadBlock(const ShippedPayload& payload, std::uint64_t programSize) {
    if (payload.container.size() > std::numeric_limits<std::uint32_t>::max()) return {};
    const std::uint64_t unpadded = programSize + payload.container.size() + kAppendedTrailerSize;
    const auto padding = static_cast<std::uint32_t>((8 - unpadded % 8) % 8);
    rt::ByteSet block(payload.container.begin(), payload.container.end());
    block.resize(block.size() + padding, 0);
    const rt::ByteSet trailer = EncodeAppendedTrailer(
        {static_cast<std::uint32_t>(payload.container.size()), padding, payload.imageChecksum});
    block.insert(block.end(), trailer.begin(), trailer.end());
    return block;
}

std::optional<ShippedPayload> FindAppendedPayload(std::span<const std::uint8_t> file) {
    const std::optional<PeLayout> layout = ReadPeLayout(file);
    if (!layout) return {};
    std::uint64_t end = layout->appendedEnd;
    // The trailer's last byte is not 0, so a signer's zero padding cannot be taken for it.
    for (std::uint32_t skipped = 0; layout->Signed() && skipped < kLongestPadding &&
                                    end > layout->sectionsEnd && file[end - 1] == 0;
         ++skipped)
        --end;
    if (end - layout->sectionsEnd < kAppendedTrailerSize) return {};
    const std::optional<AppendedTrailer> trailer =
        DecodeAppendedTrailer(file.data() + end - kAppendedTrailerSize);
    if (!trailer) return {};
    const std::uint64_t blockSize =
        std::uint64_t{trailer->containerLength} + trailer->paddingLength + kAppendedTrailerSize;
    if (end - layout->sectionsEnd < blockSize) return {};
    const std::uint64_t start = end - blockSize;
    const auto padding = file.subspan(start + trailer->containerLength, trailer->paddingLength);
    if (std::any_of(padding.begin(), padding.end(), [](std::uint8_t b) { return b != 0; }))
        return {};
    return ShippedPayload{
        file.subspan(start, trailer->containerLength), trailer->imageChecksum, {}, start};
}

}  // namespace inst

#include "resources/payload/embedded_payload.h"

#include <cstring>

#include "installer/install.h"
#include "kVantorPayload.h"
#include "kVantorPayloadImageChecksum.h"

namespace inst {

namespace {

// Byte-set layout: u32 dimension count, u32 length, the bytes.
std::span<const std::uint8_t> BytesOf(const unsigned char* byteSet) {
    std::uint32_t length = 0;
    std::memcpy(&length, byteSet + 4, sizeof length);
    return {byteSet + 8, length};
}

}  // namespace

std::span<const std::uint8_t> EmbeddedPayload() {
    return BytesOf(kVantorPayload);
}

// Four bytes, little-endian, as vspack writes them.
std::uint32_t EmbeddedImageChecksum() {
    const std::span<const std::uint8_t> bytes = BytesOf(kVantorPayloadImageChecksum);
    std::uint32_t checksum = 0;
    for (std::size_t i = bytes.size(); i-- > 0;)
        checksum = checksum << 8 | bytes[i];
    return checksum;
}

ShippedPayload ProgramPayload() {
    return ShippedPayload{EmbeddedPayload(), EmbeddedImageChecksum(), {}};
}

}  // namespace inst

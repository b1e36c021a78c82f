#include "resources/payload/embedded_payload.h"

#include <cstring>

#include "kVantorPayload.h"

namespace inst {

std::span<const std::uint8_t> EmbeddedPayload() {
    // Byte-set layout: u32 dimension count, u32 length, the bytes.
    std::uint32_t length = 0;
    std::memcpy(&length, kVantorPayload + 4, sizeof length);
    return {kVantorPayload + 8, length};
}

}  // namespace inst

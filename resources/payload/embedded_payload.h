// The product's files as the program carries them: the payload container (raw LZMA1 stream,
// LZMA properties, image length) linked in as a constant.
#pragma once

#include <cstdint>
#include <span>

namespace inst {

// A view of the constant; it lives as long as the program.
std::span<const std::uint8_t> EmbeddedPayload();

}  // namespace inst

// The product's files as the program carries them: the payload container (raw LZMA1 stream,
// LZMA properties, image length) linked in as a constant, and the checksum of its image. A
// program that links them has them as its payload (inst::ProgramPayload, installer/install.h).
#pragma once

#include <cstdint>
#include <span>

namespace inst {

// A view of the constant; it lives as long as the program.
std::span<const std::uint8_t> EmbeddedPayload();

// The CRC-32 of the archive image the payload decodes to, recorded by the build in a constant
// of its own beside the payload.
std::uint32_t EmbeddedImageChecksum();

}  // namespace inst

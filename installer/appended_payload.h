// The payload of a program that does not link it in: `vspack make-installer` appends it to a
// copy of the stub (VantorSaelin-Stub.exe) as one block, after the program's sections and
// before a signature's certificate table, and the program finds it from the end of its own file
// without scanning:
//
//   payload container (payload_codec.h) | 0 to 7 zero bytes | trailer (24 bytes)
//
// The trailer: u32 container length, u32 number of zero bytes, u32 image checksum (as
// ShippedPayload has it), u32 CRC-32 of those 12 bytes, then the 8 bytes of kAppendedMagic.
// The zero bytes end the block on a multiple of 8 in the file, where Authenticode places the
// certificate table, so that a signer appends the table right after the block. Portable.
#pragma once

#include <cstdint>
#include <optional>
#include <span>

#include "installer/payload_codec.h"
#include "runtime/value_types.h"

namespace inst {

inline constexpr std::size_t kAppendedTrailerSize = 24;
inline constexpr char kAppendedMagic[8] = {'V', 'S', 'p', 'a', 'y', 'l', 'd', '1'};

// vspack make-installer takes a program for a stub only when its file holds this text, which
// the stub carries (program/appended_payload_win32.cpp).
inline constexpr char kStubMarker[] = "VantorSaelin-Stub: the payload follows this program";

struct AppendedTrailer {
    std::uint32_t containerLength = 0;
    std::uint32_t paddingLength = 0;
    std::uint32_t imageChecksum = 0;
};

rt::ByteSet EncodeAppendedTrailer(const AppendedTrailer& trailer);

// The block to append to a program file of `programSize` bytes.
rt::ByteSet AppendedPayloadBlock(const ShippedPayload& payload, std::uint64_t programSize);

// The payload appended to a program file, its container a view into `file`, with where the
// block starts as the program's length. Nothing when the
// file is not a PE file, carries no block, or its block is cut short, altered, or has lengths
// that reach outside the space between the sections and the end (or the certificate table).
// A signer that pads the file to a multiple of 8 before its table may have left up to 7 zero
// bytes after the block; they are passed over.
std::optional<ShippedPayload> FindAppendedPayload(std::span<const std::uint8_t> file);

}  // namespace inst

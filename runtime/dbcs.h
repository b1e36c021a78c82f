// Character stepping in code page 936 texts: a byte above 0x80 leads a double-byte character and
// the byte after it belongs to that character. Portable.
#pragma once

#include <cstddef>
#include <string_view>

namespace rt {

inline bool IsLeadByte(unsigned char byte) {
    return byte > 0x80;
}

// Width in bytes of the character that starts at `index` (a lead byte at the very end counts 1,
// so stepping never runs past the text).
inline std::size_t CharWidthAt(std::string_view text, std::size_t index) {
    if (IsLeadByte(static_cast<unsigned char>(text[index])) && index + 1 < text.size()) return 2;
    return 1;
}

inline bool IsAsciiUpper(unsigned char byte) {
    return byte >= 'A' && byte <= 'Z';
}
inline unsigned char AsciiLower(unsigned char byte) {
    return IsAsciiUpper(byte) ? static_cast<unsigned char>(byte + ('a' - 'A')) : byte;
}

}  // namespace rt

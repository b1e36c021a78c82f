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

// Byte position of the last character of `text` that is one of the single-byte `characters`, or
// npos. A trail byte never counts: the 0x5C that ends 籠 (BB 5C) is no backslash.
inline std::size_t FindLastCharOf(std::string_view text, std::string_view characters) {
    std::size_t last = std::string_view::npos;
    for (std::size_t i = 0; i < text.size(); i += CharWidthAt(text, i)) {
        if (characters.find(text[i]) != std::string_view::npos) last = i;
    }
    return last;
}

// True when the last character of `text` is the single-byte character `c`.
inline bool EndsWithChar(std::string_view text, char c) {
    return !text.empty() && FindLastCharOf(text, std::string_view(&c, 1)) == text.size() - 1;
}

inline bool IsAsciiUpper(unsigned char byte) {
    return byte >= 'A' && byte <= 'Z';
}
inline unsigned char AsciiLower(unsigned char byte) {
    return IsAsciiUpper(byte) ? static_cast<unsigned char>(byte + ('a' - 'A')) : byte;
}

}  // namespace rt

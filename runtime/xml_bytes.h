// Byte classes the XML reader works with. Documents are ANSI text in the system code page: a
// byte above 0x80 leads a double-byte character and always takes the next byte with it, so a
// trail byte is never read as markup.
#pragma once

#include <cstddef>
#include <string_view>

namespace rt::xml {

// A CDATA section: its text is taken as it stands, markup included.
inline constexpr std::string_view kCdataOpen = "<![CDATA[";
inline constexpr std::string_view kCdataClose = "]]>";

inline bool IsLeadByte(char c) {
    return static_cast<unsigned char>(c) > 0x80;
}

inline bool IsXmlWhiteSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

// Length of the character at `pos`: 2 for a lead byte with its trail byte, 1 otherwise (also for
// a lead byte cut by the end of the text).
inline std::size_t CharLength(std::string_view text, std::size_t pos) {
    return IsLeadByte(text[pos]) && pos + 1 < text.size() ? 2 : 1;
}

// Offset of the first `pattern` at or after `from` that starts on a character boundary, or npos.
inline std::size_t FindOnCharBoundary(std::string_view text, std::string_view pattern,
                                      std::size_t from) {
    for (std::size_t pos = from; pos < text.size(); pos += CharLength(text, pos)) {
        if (text.substr(pos, pattern.size()) == pattern) return pos;
    }
    return std::string_view::npos;
}

}  // namespace rt::xml

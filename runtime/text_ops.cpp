#include "runtime/text_ops.h"

#include <algorithm>

#include "runtime/dbcs.h"

namespace rt {

int TextLength(std::string_view text) {
    return static_cast<int>(text.size());
}

TextValue TextJoin(std::initializer_list<std::string_view> parts) {
    TextValue joined;
    for (std::string_view part : parts)
        joined += part;
    return joined;
}

int TextOrder(std::string_view a, std::string_view b) {
    return a.compare(b);
}

TextValue TextCopy(std::string_view text) {
    return TextValue(text);
}

TextValue TextLeft(std::string_view text, int count) {
    if (count < 1) return {};
    return TextValue(text.substr(0, static_cast<std::size_t>(count)));
}

TextValue TextRight(std::string_view text, int count) {
    if (count < 1) return {};
    const std::size_t n = std::min(text.size(), static_cast<std::size_t>(count));
    return TextValue(text.substr(text.size() - n));
}

TextValue TextMid(std::string_view text, int start, int count) {
    if (start < 1 || static_cast<std::size_t>(start) > text.size() || count < 1) return {};
    return TextValue(
        text.substr(static_cast<std::size_t>(start - 1), static_cast<std::size_t>(count)));
}

TextValue TextRepeat(int times, std::string_view text) {
    TextValue repeated;
    if (times < 1 || text.empty()) return repeated;
    repeated.reserve(text.size() * static_cast<std::size_t>(times));
    for (int i = 0; i < times; ++i)
        repeated += text;
    return repeated;
}

TextValue TextSpaces(int count) {
    if (count < 1) return {};
    return TextValue(static_cast<std::size_t>(count), ' ');
}

TextValue TextFromCharCode(int code) {
    const char byte = static_cast<char>(code & 0xFF);
    if (byte == 0) return {};
    return TextValue(1, byte);
}

int CharCodeAt(std::string_view text, int position) {
    if (position < 1 || static_cast<std::size_t>(position) > text.size()) return 0;
    return static_cast<signed char>(text[static_cast<std::size_t>(position - 1)]);
}

TextValue TextToLower(std::string_view text) {
    TextValue lowered(text);
    for (std::size_t i = 0; i < lowered.size(); i += CharWidthAt(lowered, i)) {
        lowered[i] = static_cast<char>(AsciiLower(static_cast<unsigned char>(lowered[i])));
    }
    return lowered;
}

int TextCompare(std::string_view a, std::string_view b, bool exact) {
    if (exact) {
        const int order = a.compare(b);
        return order < 0 ? -1 : (order > 0 ? 1 : 0);
    }
    const std::size_t common = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < common; ++i) {
        const int x = AsciiLower(static_cast<unsigned char>(a[i]));
        const int y = AsciiLower(static_cast<unsigned char>(b[i]));
        if (x != y) return x - y;
    }
    if (a.size() == b.size()) return 0;
    return a.size() < b.size() ? -1 : 1;
}

}  // namespace rt

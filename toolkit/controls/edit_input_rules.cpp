#include "toolkit/controls/edit_input_rules.h"

#include <algorithm>

#include "runtime/dbcs.h"

namespace ui {
namespace {

constexpr int kFirstTypedCode = 28;
constexpr int kLastTypedCode = 126;
// GBK trail bytes start at 0x40; anything lower (controls, line breaks, digits) cannot be one.
constexpr unsigned char kFirstTrailByte = 0x40;

bool IsDigit(int code) {
    return code >= '0' && code <= '9';
}

}  // namespace

bool IsEditInputMode(int value) {
    return value >= static_cast<int>(EditInputMode::kNormal) &&
           value <= static_cast<int>(EditInputMode::kDecimal);
}

bool AcceptsTypedCharacter(EditInputMode mode, int code, bool holdsDecimalPoint) {
    if (code < kFirstTypedCode || code > kLastTypedCode) return false;
    switch (mode) {
        case EditInputMode::kInteger:
            return IsDigit(code) || code == '-';
        case EditInputMode::kDecimal:
            if (code == '.') return !holdsDecimalPoint;
            return code >= '-' && code <= '9';
        default:
            return true;
    }
}

std::string FilterForMode(EditInputMode mode, std::string_view text, bool holdsDecimalPoint) {
    if (mode != EditInputMode::kInteger && mode != EditInputMode::kDecimal) {
        return std::string(text);
    }
    std::string taken;
    for (const char c : text) {
        const int code = static_cast<unsigned char>(c);
        if (!AcceptsTypedCharacter(mode, code, holdsDecimalPoint)) continue;
        holdsDecimalPoint = holdsDecimalPoint || c == '.';
        taken += c;
    }
    return taken;
}

std::string NormalizeIncomingText(std::string_view text, bool multiLine) {
    std::string normal;
    normal.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (c == '\0') break;
        if (c == '\r' || c == '\n') {
            if (!multiLine) break;
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
            normal += "\r\n";
        } else if (rt::IsLeadByte(c)) {
            const bool hasTrail =
                i + 1 < text.size() && static_cast<unsigned char>(text[i + 1]) >= kFirstTrailByte;
            if (!hasTrail) continue;
            normal.append(text.substr(i, 2));
            ++i;
        } else {
            normal += static_cast<char>(c);
        }
    }
    return normal;
}

std::string_view CutToLength(std::string_view text, int maxBytes) {
    std::size_t end = 0;
    while (end < text.size()) {
        const std::size_t width = text[end] == '\r' ? 2 : rt::CharWidthAt(text, end);
        if (end + width > static_cast<std::size_t>(std::max(maxBytes, 0))) break;
        end += width;
    }
    return text.substr(0, end);
}

}  // namespace ui

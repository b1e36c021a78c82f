#include "runtime/text_search.h"

#include <algorithm>

#include "runtime/dbcs.h"

namespace rt {
namespace {

// Whether `pattern` occurs at byte `at` of `text`. Ignoring case folds ASCII letters only; the
// two bytes of a double-byte character in the pattern always compare exactly.
bool MatchesAt(std::string_view text, std::size_t at, std::string_view pattern, bool ignoreCase) {
    if (at + pattern.size() > text.size()) return false;
    if (!ignoreCase) return text.compare(at, pattern.size(), pattern) == 0;
    for (std::size_t j = 0; j < pattern.size();) {
        const std::size_t width = CharWidthAt(pattern, j);
        if (width == 2) {
            if (text.compare(at + j, 2, pattern.substr(j, 2)) != 0) return false;
        } else if (AsciiLower(static_cast<unsigned char>(text[at + j])) !=
                   AsciiLower(static_cast<unsigned char>(pattern[j]))) {
            return false;
        }
        j += width;
    }
    return true;
}

}  // namespace

int TextFind(std::string_view text, std::string_view pattern, int start, bool ignoreCase) {
    if (text.empty() || pattern.empty() || pattern.size() > text.size()) return -1;
    std::size_t i = start < 1 ? 0 : static_cast<std::size_t>(start - 1);
    for (; i + pattern.size() <= text.size(); i += CharWidthAt(text, i)) {
        if (MatchesAt(text, i, pattern, ignoreCase)) return static_cast<int>(i + 1);
    }
    return -1;
}

int TextFindLast(std::string_view text, std::string_view pattern, std::optional<int> start,
                 bool ignoreCase) {
    if (text.empty() || pattern.empty() || pattern.size() > text.size()) return -1;
    std::size_t end = text.size();  // the match must end at or before this 1-based position
    if (start && *start > 0) end = std::min(end, static_cast<std::size_t>(*start));
    if (end < pattern.size()) return -1;
    for (std::size_t i = end - pattern.size() + 1; i-- > 0;) {
        if (MatchesAt(text, i, pattern, ignoreCase)) return static_cast<int>(i + 1);
    }
    return -1;
}

TextValue TextReplaceAll(std::string_view text, std::string_view pattern,
                         std::string_view replacement, int start, std::optional<int> maxCount,
                         bool caseSensitive) {
    if (text.empty()) return {};
    if (pattern.empty() || pattern.size() > text.size() || start < 1 ||
        static_cast<std::size_t>(start) > text.size() - pattern.size() + 1 ||
        (maxCount && *maxCount < 1)) {
        return TextValue(text);
    }
    TextValue result(text.substr(0, static_cast<std::size_t>(start - 1)));
    int replaced = 0;
    for (std::size_t i = static_cast<std::size_t>(start - 1); i < text.size();) {
        if (MatchesAt(text, i, pattern, !caseSensitive)) {
            result += replacement;
            i += pattern.size();
            if (maxCount && ++replaced == *maxCount) {
                result += text.substr(i);
                break;
            }
        } else {
            const std::size_t width = CharWidthAt(text, i);
            result += text.substr(i, width);
            i += width;
        }
    }
    return result;
}

TextArray TextSplit(std::string_view text, std::string_view delimiter,
                    std::optional<int> maxCount) {
    TextArray pieces;
    const bool limited = maxCount && *maxCount >= 0;
    auto full = [&] { return limited && pieces.Count() >= *maxCount; };
    if (text.empty() || full()) return pieces;
    if (delimiter.empty()) {
        pieces.Append(TextValue(text));
        return pieces;
    }
    std::size_t pieceStart = 0;
    for (std::size_t i = 0; i < text.size();) {
        if (MatchesAt(text, i, delimiter, false)) {
            pieces.Append(TextValue(text.substr(pieceStart, i - pieceStart)));
            if (full()) return pieces;
            i += delimiter.size();
            pieceStart = i;
        } else {
            i += CharWidthAt(text, i);
        }
    }
    if (pieceStart < text.size()) pieces.Append(TextValue(text.substr(pieceStart)));
    return pieces;
}

}  // namespace rt

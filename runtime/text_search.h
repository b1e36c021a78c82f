// Searching, replacing and splitting texts. Searches step over double-byte characters (code page
// 936), so a match never starts inside one; positions are 1-based and -1 means not found.
// Portable.
#pragma once

#include <optional>
#include <string_view>

#include "runtime/checked_array.h"
#include "runtime/value_types.h"

namespace rt {

using TextArray = CheckedArray<TextValue>;

// The first occurrence at or after `start` (below 1 counts as 1).
int TextFind(std::string_view text, std::string_view pattern, int start = 1,
             bool ignoreCase = false);

// The last occurrence that ends at or before position `start` (when given and positive),
// stepping back one byte at a time.
int TextFindLast(std::string_view text, std::string_view pattern,
                 std::optional<int> start = std::nullopt, bool ignoreCase = false);

// Replaces occurrences from `start` on, at most `maxCount` of them (all when not given). An
// empty replacement removes them. Note the default: case is ignored unless asked for.
TextValue TextReplaceAll(std::string_view text, std::string_view pattern,
                         std::string_view replacement = {}, int start = 1,
                         std::optional<int> maxCount = std::nullopt, bool caseSensitive = false);

// The pieces before each delimiter (empty ones included), then the remainder when it is not
// empty; at most `maxCount` pieces when that is given and not negative. An empty delimiter
// gives the whole text as one piece.
TextArray TextSplit(std::string_view text, std::string_view delimiter = ",",
                    std::optional<int> maxCount = std::nullopt);

}  // namespace rt

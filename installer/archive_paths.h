// Path handling for archive entries: names are GBK texts in which a double-byte character may
// end in the byte 0x5C, so separators are found character by character, never by byte search.
// Portable.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace inst {

// Windows takes "/" as a separator as well as "\".
inline bool IsPathSeparator(char c) {
    return c == '\\' || c == '/';
}

// Byte position of the last separator character of the path, or std::string_view::npos.
std::size_t FindLastSeparator(std::string_view path);

// The parts between separator characters, empty parts kept ("C:\a\\b" gives C:, a, "", b).
std::vector<std::string> SplitAtSeparators(std::string_view path);

// The name with every "/" separator character written as "\".
std::string WithBackslashes(std::string_view name);

// True when the entry name, appended to a target directory, names a file inside that
// directory: not empty, not rooted, no drive or stream colon, no part made only of dots and
// spaces ("..", "..." and the like, which Windows may resolve upwards), no device name.
bool IsContainedEntryName(std::string_view name);

// The directory with "\" appended unless it already ends with a separator character.
std::string WithTrailingBackslash(std::string_view directory);

}  // namespace inst

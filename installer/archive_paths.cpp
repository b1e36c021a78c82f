#include "installer/archive_paths.h"

#include <array>

#include "runtime/dbcs.h"

namespace inst {

namespace {

// Calls visit(index) for the first byte of every character.
template <typename Visit>
void ForEachCharacter(std::string_view text, Visit visit) {
    for (std::size_t i = 0; i < text.size(); i += rt::CharWidthAt(text, i))
        visit(i);
}

bool IsDotsAndSpaces(std::string_view part) {
    return !part.empty() && part.find_first_not_of(". ") == std::string_view::npos;
}

char AsciiUpper(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

// CON, PRN, AUX, NUL, COM1-9 and LPT1-9 open devices in any folder, with any extension.
bool IsDeviceName(std::string_view part) {
    const std::string_view stem = part.substr(0, part.find('.'));
    std::string upper;
    for (char c : stem.substr(0, stem.find_last_not_of(' ') + 1))
        upper += AsciiUpper(c);
    static constexpr std::array<std::string_view, 4> kPlain = {"CON", "PRN", "AUX", "NUL"};
    for (std::string_view device : kPlain)
        if (upper == device) return true;
    return upper.size() == 4 && (upper.starts_with("COM") || upper.starts_with("LPT")) &&
           upper[3] >= '1' && upper[3] <= '9';
}

}  // namespace

std::size_t FindLastSeparator(std::string_view path) {
    return rt::FindLastCharOf(path, "\\/");
}

std::vector<std::string> SplitAtSeparators(std::string_view path) {
    std::vector<std::string> parts(1);
    ForEachCharacter(path, [&](std::size_t i) {
        if (IsPathSeparator(path[i]))
            parts.emplace_back();
        else
            parts.back().append(path.substr(i, rt::CharWidthAt(path, i)));
    });
    return parts;
}

std::string WithBackslashes(std::string_view name) {
    std::string result(name);
    ForEachCharacter(name, [&](std::size_t i) {
        if (name[i] == '/') result[i] = '\\';
    });
    return result;
}

bool IsContainedEntryName(std::string_view name) {
    if (name.empty() || IsPathSeparator(name[0])) return false;
    bool hasColon = false;
    ForEachCharacter(name, [&](std::size_t i) { hasColon = hasColon || name[i] == ':'; });
    if (hasColon) return false;
    for (const std::string& part : SplitAtSeparators(name))
        if (IsDotsAndSpaces(part) || IsDeviceName(part)) return false;
    return true;
}

std::string WithTrailingBackslash(std::string_view directory) {
    std::string result(directory);
    if (result.empty() || FindLastSeparator(result) != result.size() - 1) result += '\\';
    return result;
}

}  // namespace inst

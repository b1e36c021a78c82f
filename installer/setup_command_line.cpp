#include "installer/setup_command_line.h"

#include "runtime/dbcs.h"

namespace inst {
namespace {

constexpr std::string_view kSilentSwitch = "/S";
constexpr std::string_view kDirectorySwitch = "/D=";
constexpr std::string_view kLogSwitch = "/LOG=";
// Characters no Windows path holds (":" is allowed only after the drive letter).
constexpr std::string_view kForbiddenInPath = "<>\"|?*";

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
    if (text.size() < prefix.size()) return false;
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        if (rt::AsciiLower(static_cast<unsigned char>(text[i])) !=
            rt::AsciiLower(static_cast<unsigned char>(prefix[i])))
            return false;
    }
    return true;
}

// One argument from `i` on: double quotes group and are dropped, a blank outside them ends it.
rt::TextValue NextArgument(std::string_view line, std::size_t& i) {
    rt::TextValue argument;
    bool quoted = false;
    for (; i < line.size(); i += rt::CharWidthAt(line, i)) {
        const std::size_t width = rt::CharWidthAt(line, i);
        if (width == 1 && line[i] == '"') {
            quoted = !quoted;
            continue;
        }
        if (width == 1 && !quoted && IsBlank(line[i])) break;
        argument.append(line.substr(i, width));
    }
    return argument;
}

std::string_view TrimTrailingBlanks(std::string_view text) {
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

bool IsDriveRoot(std::string_view path) {
    return path.size() == 3 && path[1] == ':' && (path[2] == '\\' || path[2] == '/');
}

// "X:\..." (or "X:/...") and "\\server\share...".
bool IsAbsoluteDirectory(std::string_view path) {
    const unsigned char letter = path.empty() ? 0 : rt::AsciiLower(path[0]);
    const bool drive = path.size() >= 3 && letter >= 'a' && letter <= 'z' && path[1] == ':' &&
                       (path[2] == '\\' || path[2] == '/');
    if (drive) return true;
    if (path.substr(0, 2) != "\\\\") return false;
    const std::size_t shareStart = path.find('\\', 2);
    return shareStart != std::string_view::npos && shareStart > 2 && shareStart + 1 < path.size();
}

bool HoldsForbiddenCharacter(std::string_view path) {
    for (std::size_t i = 0; i < path.size(); i += rt::CharWidthAt(path, i)) {
        if (rt::CharWidthAt(path, i) != 1) continue;
        const unsigned char c = static_cast<unsigned char>(path[i]);
        if (c < 0x20 || kForbiddenInPath.find(static_cast<char>(c)) != std::string_view::npos ||
            (c == ':' && i != 1))
            return true;
    }
    return false;
}

// A blank followed by "/" cannot be part of a path ("/" separates): another switch was put
// after /D=, which takes everything up to the end of the line.
bool HoldsAnotherSwitch(std::string_view path) {
    for (std::size_t i = 1; i < path.size(); ++i) {
        if (path[i] == '/' && IsBlank(path[i - 1])) return true;
    }
    return false;
}

struct DirectoryValue {
    rt::TextValue path;
    std::string_view problem;  // empty when the path is usable
};

// The value of /D=: the rest of the line, with surrounding quotes and a trailing separator
// removed.
DirectoryValue ReadDirectoryValue(std::string_view rest) {
    std::string_view value = TrimTrailingBlanks(rest);
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
        value = value.substr(1, value.size() - 2);
    rt::TextValue path(value);
    while (rt::EndsWithChar(path, '\\') && path.size() > 1 && !IsDriveRoot(path))
        path.pop_back();
    if (path.empty()) return {path, "no directory given"};
    if (HoldsAnotherSwitch(path))
        return {path, "must be the last argument: its value runs to the end of the line"};
    if (HoldsForbiddenCharacter(path)) return {path, "holds a character that no path may hold"};
    if (!IsAbsoluteDirectory(path))
        return {path, "is not an absolute directory (X:\\... or \\\\server\\share\\...)"};
    return {path, {}};
}

class Reader {
  public:
    explicit Reader(RunMode mode) : mode_(mode) {}

    void Argument(const rt::TextValue& argument) {
        if (StartsWithNoCase(argument, kLogSwitch)) {
            const rt::TextValue file = argument.substr(kLogSwitch.size());
            if (file.empty()) return Problem(argument, "no file given");
            if (!Once(result_.switches.logPath.has_value(), argument)) return;
            result_.switches.logPath = file;
        } else if (argument.size() == kSilentSwitch.size() &&
                   StartsWithNoCase(argument, kSilentSwitch)) {
            if (!Once(result_.switches.silent, argument)) return;
            result_.switches.silent = true;
        } else if (StartsWithNoCase(argument, kDirectorySwitch)) {
            Directory(argument, argument.substr(kDirectorySwitch.size()));
        } else {
            Problem(argument, "unknown switch");
        }
    }

    void Directory(const rt::TextValue& argument, std::string_view rest) {
        if (mode_ == RunMode::Uninstaller)
            return Problem(argument,
                           "the uninstaller takes no /D= (it finds its directory in the registry)");
        const DirectoryValue value = ReadDirectoryValue(rest);
        if (!value.problem.empty()) return Problem(argument, rt::TextValue(value.problem));
        if (!Once(result_.switches.installDirectory.has_value(), argument)) return;
        result_.switches.installDirectory = value.path;
    }

    SetupCommandLine Take() { return std::move(result_); }

  private:
    bool Once(bool seen, const rt::TextValue& argument) {
        if (seen) Problem(argument, "given twice; the first one counts");
        return !seen;
    }
    void Problem(const rt::TextValue& argument, const rt::TextValue& reason) {
        result_.problems.push_back({argument, reason});
    }

    RunMode mode_;
    SetupCommandLine result_;
};

}  // namespace

SetupCommandLine ParseSetupCommandLine(std::string_view arguments, RunMode mode) {
    Reader reader(mode);
    std::size_t i = 0;
    while (true) {
        while (i < arguments.size() && IsBlank(arguments[i]))
            ++i;
        if (i == arguments.size()) break;
        // Unquoted /D= takes the rest of the line, spaces and all.
        if (StartsWithNoCase(arguments.substr(i), kDirectorySwitch)) {
            const std::string_view rest = TrimTrailingBlanks(arguments.substr(i));
            reader.Directory(rt::TextValue(rest), rest.substr(kDirectorySwitch.size()));
            break;
        }
        reader.Argument(NextArgument(arguments, i));
    }
    return reader.Take();
}

}  // namespace inst

// The switches an administrator may give the program for unattended use. Without any of them
// the program behaves as it always has. Portable.
//
//   /S           silent: install with the saved choices (or the defaults), or, started as
//                uninstall.exe, uninstall without the question and the final report; no window
//                and no message box, and an exit code that tells what happened
//   /D=path      the install directory; the last argument, taken to the end of the line, so
//                it may hold spaces without quotes (a pair of quotes around it is removed)
//   /LOG=file    a UTF-8 log of every action; quote the whole switch or the file name when it
//                holds spaces: "/LOG=C:\My Logs\setup.log" or /LOG="C:\My Logs\setup.log"
//
// Switch names are matched without regard to the case of their letters (/s, /d=, /Log=), as
// Windows programs commonly do; the values are kept as given. Arguments are separated by spaces
// or tabs; double quotes group and are removed.
#pragma once

#include <optional>
#include <string_view>
#include <vector>

#include "installer/run_mode.h"
#include "runtime/value_types.h"

namespace inst {

struct SetupSwitches {
    bool silent = false;
    std::optional<rt::TextValue> installDirectory;
    std::optional<rt::TextValue> logPath;
};

// An argument that was not understood, and why.
struct CommandLineProblem {
    rt::TextValue argument;
    rt::TextValue reason;
};

struct SetupCommandLine {
    // What was understood; the first of a repeated switch counts.
    SetupSwitches switches;
    // Empty when every argument was understood. A silent run does nothing when there is any;
    // a run with a window ignores them (and logs them, when there is a log).
    std::vector<CommandLineProblem> problems;
};

// Reads the arguments after the program's name (WinMain's command line). Problems: an unknown
// argument, a switch given twice, an empty value, a /D= that is not an absolute directory
// ("X:\..." or "\\server\share\...") or holds a character no path may hold, and /D= for the
// uninstaller, which finds its directory in the registry. /D= drops a trailing backslash
// (C:\Games\ is C:\Games), except after a drive (C:\ stays).
SetupCommandLine ParseSetupCommandLine(std::string_view arguments, RunMode mode);

}  // namespace inst

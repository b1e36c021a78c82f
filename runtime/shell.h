// Starting programs and writing shell shortcuts.
#pragma once

#include <optional>

#include "runtime/value_types.h"

namespace rt {

// Show-mode codes: 1 hidden, 3 minimized, 4 maximized, 5 shown without activation,
// 6 minimized without activation; 2, any other code or none: shown normally.
enum ShowModeCode : int {
    kShowHidden = 1,
    kShowNormal = 2,
    kShowMinimized = 3,
    kShowMaximized = 4,
    kShowNoActivate = 5,
    kShowMinimizedNoActivate = 6,
};

// Starts the command line (handles inherited, the caller's working directory) and, with wait,
// waits until the program ends. Nonzero when the program was started, else 0.
int RunProgram(const TextValue& commandLine, bool wait = false,
               std::optional<int> showMode = std::nullopt);

// Writes a shell shortcut to target. A link path without any "." gets ".lnk" appended; one with a
// "." anywhere (also in a folder name) is used as it is. Each optional part is set when given.
// The calling thread must have initialised COM. True when the shortcut was saved.
bool CreateShortcut(const TextValue& linkPath, const TextValue& target,
                    const std::optional<TextValue>& description = std::nullopt,
                    const std::optional<TextValue>& arguments = std::nullopt,
                    const std::optional<TextValue>& workingDirectory = std::nullopt);

}  // namespace rt

// Where the end-to-end tests steer the wizard: they cannot answer the shell's folder browser,
// and they slow the unpacking down to watch it. Only the tests' build of the program sets these
// (from its environment); the shipped program sets none and takes nothing from its environment,
// which whoever starts an elevated program controls.
#pragma once

#include <functional>
#include <optional>

#include "runtime/value_types.h"

namespace wiz {

struct TestHooks {
    // The folder browser's next answer instead of the shell's dialog; nothing shows the dialog.
    std::function<std::optional<rt::TextValue>()> folderChoice;
    // A pause after each progress report of the unpacking, in milliseconds; the window keeps
    // painting through it.
    int progressPauseMs = 0;
};

// Set once, before the wizard starts.
void SetTestHooks(TestHooks hooks);
const TestHooks& CurrentTestHooks();

}  // namespace wiz

// Reads the choices of the last install on a thread of its own, so that the wizard shows at once,
// and hands them to the window's thread, which alone touches the page's elements: the worker
// leaves them in a mailbox and posts kMsgSavedChoicesLoaded to the window, whose thread takes
// them out. A window that is gone by then simply never takes them.
#pragma once

#include <windows.h>

#include <optional>

#include "installer/install_options.h"

namespace wiz {

inline constexpr UINT kMsgSavedChoicesLoaded = WM_APP + 0x4C;

// Starts the worker; false when no thread could be started (the page then keeps its empty look).
bool StartLoadingSavedChoices(HWND window);

// The loaded choices, once: empty before the worker has finished and after they were taken.
std::optional<inst::InstallOptions> TakeLoadedChoices();

}  // namespace wiz

// Reads the choices of the last install on a thread of its own, started before the window is
// made, so that the read never holds the window up, and hands them to the window's thread, which
// alone touches the page's elements: the worker leaves them in a mailbox and posts
// kMsgSavedChoicesLoaded to the window once it knows the window, whose thread takes them out
// (the window may also take them before it shows, when they are there already). A window that
// is gone by then simply never takes them.
#pragma once

#include <windows.h>

#include <optional>

#include "installer/install_options.h"

namespace wiz {

inline constexpr UINT kMsgSavedChoicesLoaded = WM_APP + 0x4C;

// Starts the worker; false when no thread could be started (the page then keeps its empty look).
bool StartLoadingSavedChoices();
// The window the worker posts kMsgSavedChoicesLoaded to; posted at once when the choices are
// loaded already.
void PostSavedChoicesTo(HWND window);

// The loaded choices, once: empty before the worker has finished and after they were taken.
std::optional<inst::InstallOptions> TakeLoadedChoices();

}  // namespace wiz

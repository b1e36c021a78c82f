// The shell's folder browser.
#pragma once

#include <windows.h>

#include "runtime/value_types.h"

namespace wiz {

// The chosen folder's file-system path, or the empty text when the browser was cancelled or
// the choice has no path. `startPath` (when not empty) is selected first; `rootFolder` is the
// CSIDL of the browser's root.
// In the tests' build of the program a test hook may answer instead (test_hooks.h).
rt::TextValue ShowFolderBrowser(HWND owner, const rt::TextValue& title,
                                const rt::TextValue& startPath, int rootFolder);

}  // namespace wiz

// The shell's folder browser.
#pragma once

#include <windows.h>

#include "runtime/value_types.h"

namespace wiz {

// The chosen folder's file-system path, or the empty text when the browser was cancelled or
// the choice has no path. `startPath` (when not empty) is selected first; `rootFolder` is the
// CSIDL of the browser's root.
//
// For the end-to-end tests, which cannot steer the shell's dialog, the environment variable
// VANTORSAELIN_TEST_FOLDER_CHOICES may hold the answers instead, separated by "|": each call
// takes the next one and shows no dialog (an empty answer between two bars stands for a
// cancelled browser); once all are taken the dialog is back. Nobody sets it outside the tests.
rt::TextValue ShowFolderBrowser(HWND owner, const rt::TextValue& title,
                                const rt::TextValue& startPath, int rootFolder);

}  // namespace wiz

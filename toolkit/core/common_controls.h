// The functions of the common controls library (comctl32) the toolkit uses. The system does not
// count the library among those it always takes from its own folder, so it is not imported but
// bound at first use from the system folder (runtime/dll_calls_win32.h), where the manifest's
// version 6 is found; its own imports then come from there too.
#pragma once

#include <windows.h>
// After windows.h, which it builds on.
#include <commctrl.h>

#include "runtime/dll_calls_win32.h"

namespace ui::comctl {

// clang-format off
inline rt::DllCallSlot<decltype(::InitCommonControlsEx)> InitCommonControlsEx{"comctl32.dll", "InitCommonControlsEx"};
inline rt::DllCallSlot<decltype(::SetWindowSubclass)> SetWindowSubclass{"comctl32.dll", "SetWindowSubclass"};
inline rt::DllCallSlot<decltype(::RemoveWindowSubclass)> RemoveWindowSubclass{"comctl32.dll", "RemoveWindowSubclass"};
inline rt::DllCallSlot<decltype(::DefSubclassProc)> DefSubclassProc{"comctl32.dll", "DefSubclassProc"};
// clang-format on

}  // namespace ui::comctl

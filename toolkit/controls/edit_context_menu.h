// The edit boxes' shared context menu: one toolkit-wide pop-up menu, built at toolkit start-up,
// with the items (positions 1 to 5)
//   剪切(&T)  command 88 ('X')
//   复制(&C)  command 67 ('C')
//   粘贴(&P)  command 86 ('V')
//   ---------
//   全部选择(&A)  command 65 ('A')
// A chosen item arrives at the window the menu was shown on as WM_COMMAND with the command in
// wParam (the EditCommand codes, the same as the Ctrl shortcuts) and, in lParam, the element that
// was under the mouse; that element has been given the focus, so the host hands the WM_COMMAND
// to it.
#pragma once

#include <windows.h>

#include "toolkit/controls/edit_commands.h"
#include "toolkit/controls/popup_menu.h"

namespace ui {

// Positions of the items in the menu.
enum EditMenuItem : int {
    kEditMenuCut = 1,
    kEditMenuCopy = 2,
    kEditMenuPaste = 3,
    kEditMenuSelectAll = 5,
};

// The shared menu (empty before the toolkit starts).
PopupMenu& EditContextMenu();

// Sets the four items' states (-1 disabled; 0 and 1 enabled) and shows the menu on `window` at
// the mouse. Returns when the menu is closed, after a chosen command has been delivered.
void ShowEditContextMenu(HWND window, const EditMenuStates& states);

}  // namespace ui

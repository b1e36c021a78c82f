#include "toolkit/controls/edit_context_menu.h"

#include "toolkit/core/toolkit.h"

namespace ui {

namespace {

PopupMenu gEditMenu;

void AddCommand(const char* text, EditCommand command) {
    gEditMenu.AddItem({.text = text, .report = MenuReport::kCommand, .id = command});
}

// The last step of the toolkit's start-up; the items go again at its clean-up.
void BuildEditContextMenu() {
    gEditMenu.ClearItems();
    AddCommand("剪切(&T)", kEditCut);
    AddCommand("复制(&C)", kEditCopy);
    AddCommand("粘贴(&P)", kEditPaste);
    gEditMenu.AddItem({.kind = MenuItemKind::kSeparator});
    AddCommand("全部选择(&A)", kEditSelectAll);
    RegisterToolkitCleanup([] { gEditMenu.ClearItems(); });
}

// Registered while the program's static objects are made, so before any start-up.
const bool kBuiltAtStartUp = (RegisterToolkitStartStep(BuildEditContextMenu), true);

}  // namespace

PopupMenu& EditContextMenu() {
    return gEditMenu;
}

void ShowEditContextMenu(HWND window, const EditMenuStates& states) {
    if (gEditMenu.ItemCount() == 0) return;  // the toolkit has not started
    gEditMenu.SetItemState(kEditMenuCut, states.cut);
    gEditMenu.SetItemState(kEditMenuCopy, states.copy);
    gEditMenu.SetItemState(kEditMenuPaste, states.paste);
    gEditMenu.SetItemState(kEditMenuSelectAll, states.selectAll);
    gEditMenu.PopupAt(window);
}

}  // namespace ui

// EditBox: keys, typed characters, input-method results, menu commands and the mouse.

#include "runtime/clipboard.h"
#include "toolkit/controls/edit_box.h"
#include "toolkit/controls/edit_context_menu.h"
#include "toolkit/core/element_host.h"
#include "toolkit/core/element_tree.h"

namespace ui {

namespace {

constexpr int kWheelLines = 3;

EditMenuPresenter gMenuPresenter = ShowEditContextMenu;

}  // namespace

EditMenuPresenter SetEditMenuPresenter(EditMenuPresenter presenter) {
    const EditMenuPresenter before = gMenuPresenter;
    gMenuPresenter = presenter;
    return before;
}

int EditBox::OnKeyDown(WPARAM key) {
    // Space is typed (WM_CHAR follows); it does not click the box.
    if (key == VK_SPACE) return 0;
    return HandleKey(static_cast<int>(key));
}

// Codes up to 126 go by the mode's rules for typed characters; codes beyond ASCII are UTF-16
// units, brought into the code page and taken like text from the input method, which is how a
// person's Chinese reaches the box when no input method composes it (keyboard layouts, on-screen
// keyboards and input sent by programs).
int EditBox::OnCharacter(WPARAM code) {
    bool changed = false;
    if (code < 0x80) {
        typed_.Reset();
        changed = TypeCharacter(model_, static_cast<int>(code));
    } else {
        const std::string character = typed_.Take(code);
        changed = !character.empty() && InsertUserText(model_, character);
    }
    if (changed) Changed();
    return 0;
}

// A finished composition is taken whole. The box answers it, so the window does not pass it on:
// the default handling would send the same text again as characters.
int EditBox::OnComposition(LPARAM parts) {
    if (!(parts & GCS_RESULTSTR)) return -1;
    const std::string result = CompositionResult(Window());
    if (!result.empty() && InsertUserText(model_, result)) Changed();
    return 0;
}

void EditBox::OnCommand(WPARAM wParam, LPARAM lParam) {
    // Commands of a menu with the numbers of the Ctrl shortcuts; a child window's notification
    // (its window in lParam) is none of them.
    if (HIWORD(wParam) != 0 || IsWindow(reinterpret_cast<HWND>(lParam))) return;
    const int command = LOWORD(wParam);
    if (command == kEditSelectAll || command == kEditCopy || command == kEditPaste ||
        command == kEditCut) {
        HandleKey(command, true);
    }
}

void EditBox::OnMouseDown(const MouseEvent& event) {
    if (event.button != MouseButton::kLeft) return;
    const EditPosition at = PositionAt(event.x, event.y);
    if (event.IsDoubleClick()) {
        model_.SelectWordAt(at);
        selectingByMouse_ = false;
    } else {
        model_.PlaceCaret(at, (event.keys & MK_SHIFT) != 0);
        selectingByMouse_ = true;
    }
    Changed();
}

void EditBox::OnMouseMove(const MouseEvent& event) {
    if (!selectingByMouse_) return;
    const EditPosition at = PositionAt(event.x, event.y);
    if (at == model_.Caret()) return;
    model_.PlaceCaret(at, true);
    Changed();
}

void EditBox::OnMouseUp(const MouseEvent& event) {
    if (event.button == MouseButton::kLeft) selectingByMouse_ = false;
    if (event.button == MouseButton::kRight) ShowContextMenu();
}

// The shared edit menu, with its items enabled as the mode, selection and clipboard allow; a
// password box shows none.
void EditBox::ShowContextMenu() {
    if (!gMenuPresenter || !ShowsEditMenu(model_)) return;
    // The menu's command reaches the focus element, so the box takes the focus first.
    if (!IsFocused() && Host()) Host()->Elements().SetFocusElement(this, false);
    gMenuPresenter(Window(), EditMenuStatesFor(model_, !rt::ClipboardGetText().empty()));
}

void EditBox::OnWheel(int delta) {
    if (!model_.IsMultiLine()) return;
    const int notches = delta / WHEEL_DELTA;
    ScrollTo({}, firstLine_ - notches * kWheelLines);
}

}  // namespace ui

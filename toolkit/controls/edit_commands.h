// What the edit box's keys, typed characters, clipboard shortcuts and context menu do to its text
// model. The box itself reads the key state and talks to the clipboard; these functions only
// decide. Portable.
#pragma once

#include <functional>
#include <string_view>

#include "runtime/value_types.h"
#include "toolkit/controls/edit_text_model.h"

namespace ui {

// Keys the box handles without Ctrl (virtual-key codes).
enum EditKey : int {
    kEditKeyBackspace = 8,
    kEditKeyEnter = 13,
    kEditKeyEnd = 35,
    kEditKeyHome = 36,
    kEditKeyLeft = 37,
    kEditKeyUp = 38,
    kEditKeyRight = 39,
    kEditKeyDown = 40,
    kEditKeyDelete = 46,
};

// Ctrl shortcuts; the context menu's command numbers are the same codes.
enum EditCommand : int {
    kEditSelectAll = 'A',
    kEditCopy = 'C',
    kEditPaste = 'V',
    kEditCut = 'X',
};

// The system clipboard as the shortcuts see it: `read` is called only when a paste needs the
// text; `write` puts the text of a copy or cut there and tells whether it took it.
struct EditClipboard {
    std::function<rt::TextValue()> read;
    std::function<bool(const rt::TextValue&)> write;
};

// A key press (or a context-menu command with `ctrl` set); false when it is not a key of the box
// (the element then answers -1). With Ctrl, outside password mode: A selects all, C copies,
// V pastes, X cuts (not in read-only mode), other keys are not handled; a cut deletes only what
// the clipboard took, so a clipboard held by another program loses no text. Otherwise Backspace,
// Delete, Enter and the caret keys (Shift extends the selection).
bool HandleEditKey(EditTextModel& model, int key, bool ctrl, bool shift,
                   const EditClipboard& clipboard);

// A typed character (WM_CHAR code) by the rules of the box's mode; true when it went in.
bool TypeCharacter(EditTextModel& model, int code);

// Text the user brings in whole (a paste, an input-method result): in the number modes only
// the characters that could have been typed. True when something went in.
bool InsertUserText(EditTextModel& model, std::string_view text);

// Item states of the shared edit menu: -1 disabled, 0 enabled; select all is 1 when the box
// holds text.
struct EditMenuStates {
    int cut = -1;
    int copy = -1;
    int paste = -1;
    int selectAll = -1;
};

// Password boxes show no context menu.
bool ShowsEditMenu(const EditTextModel& model);
EditMenuStates EditMenuStatesFor(const EditTextModel& model, bool clipboardHasText);

}  // namespace ui

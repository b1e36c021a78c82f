#include "toolkit/controls/edit_commands.h"

#include <algorithm>
#include <string>

namespace ui {
namespace {

bool IsPassword(const EditTextModel& model) {
    return model.Mode() == EditInputMode::kPassword;
}

// Whether the text that stays around an insertion (all but the selection) has a ".": typing
// over a selected "." may bring one back. A "." is never a trail byte of the normalised text.
bool HoldsDecimalPointOutsideSelection(const EditTextModel& model) {
    const auto dots = [](const std::string& text) { return std::ranges::count(text, '.'); };
    return dots(model.Text()) > dots(model.SelectedText());
}

// Puts the selection on the clipboard; false when nothing is selected or the clipboard refused.
bool CopySelection(const EditTextModel& model, const EditClipboard& clipboard) {
    const rt::TextValue selected = model.SelectedText();
    return !selected.empty() && clipboard.write && clipboard.write(selected);
}

bool HandleShortcut(EditTextModel& model, int key, const EditClipboard& clipboard) {
    switch (key) {
        case kEditSelectAll:
            model.SelectAll();
            return true;
        case kEditCopy:
            CopySelection(model, clipboard);
            return true;
        case kEditPaste:
            if (clipboard.read) InsertUserText(model, clipboard.read());
            return true;
        case kEditCut:
            if (!model.IsReadOnly() && CopySelection(model, clipboard)) model.DeleteSelection();
            return true;
        default:
            return false;
    }
}

bool HandlePlainKey(EditTextModel& model, int key, bool shift) {
    switch (key) {
        case kEditKeyBackspace:
            model.DeleteBackward();
            return true;
        case kEditKeyDelete:
            model.DeleteForward();
            return true;
        case kEditKeyEnter:
            model.InsertLineBreak();
            return true;
        case kEditKeyEnd:
            model.MoveCaret(EditMove::kEnd, shift);
            return true;
        case kEditKeyHome:
            model.MoveCaret(EditMove::kHome, shift);
            return true;
        case kEditKeyLeft:
            model.MoveCaret(EditMove::kLeft, shift);
            return true;
        case kEditKeyUp:
            model.MoveCaret(EditMove::kUp, shift);
            return true;
        case kEditKeyRight:
            model.MoveCaret(EditMove::kRight, shift);
            return true;
        case kEditKeyDown:
            model.MoveCaret(EditMove::kDown, shift);
            return true;
        default:
            return false;
    }
}

}  // namespace

bool HandleEditKey(EditTextModel& model, int key, bool ctrl, bool shift,
                   const EditClipboard& clipboard) {
    if (ctrl && !IsPassword(model)) return HandleShortcut(model, key, clipboard);
    return HandlePlainKey(model, key, shift);
}

bool TypeCharacter(EditTextModel& model, int code) {
    if (!AcceptsTypedCharacter(model.Mode(), code, HoldsDecimalPointOutsideSelection(model))) {
        return false;
    }
    return model.InsertText(std::string(1, static_cast<char>(code)));
}

bool InsertUserText(EditTextModel& model, std::string_view text) {
    return model.InsertText(
        FilterForMode(model.Mode(), text, HoldsDecimalPointOutsideSelection(model)));
}

bool ShowsEditMenu(const EditTextModel& model) {
    return !IsPassword(model);
}

EditMenuStates EditMenuStatesFor(const EditTextModel& model, bool clipboardHasText) {
    EditMenuStates states;
    if (model.HasSelection()) {
        states.copy = 0;
        if (!model.IsReadOnly()) states.cut = 0;
    }
    if (!model.IsReadOnly() && clipboardHasText) states.paste = 0;
    if (!model.IsEmpty()) states.selectAll = 1;
    return states;
}

}  // namespace ui

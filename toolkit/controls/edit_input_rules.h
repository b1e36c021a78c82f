// What an edit box accepts: its input modes, the characters each mode takes from the keyboard,
// and the form into which text from outside (the program, the clipboard, the input method) is
// brought before it enters the box. Texts are code page 936: a byte above 0x80 leads a
// double-byte character. Portable.
#pragma once

#include <string>
#include <string_view>

namespace ui {

enum class EditInputMode : int {
    kNormal = 0,
    kReadOnly = 1,
    kPassword = 2,
    kInteger = 3,
    kDecimal = 4,
};

bool IsEditInputMode(int value);

// Whether a typed character (a WM_CHAR code) is taken: only codes 28 to 126; the integer mode
// takes digits and "-", the decimal mode codes 45 to 57 ("-", ".", "/", digits) and no "." while
// `holdsDecimalPoint` (the text that stays around the insertion already has one).
bool AcceptsTypedCharacter(EditInputMode mode, int code, bool holdsDecimalPoint);

// The characters of `text` that the number modes would take had they been typed one by one;
// the other modes take the text as it is.
std::string FilterForMode(EditInputMode mode, std::string_view text, bool holdsDecimalPoint);

// Brings text into the box's form: cut at the first NUL; a lead byte without its trail byte
// (at the end, or before a byte below 0x40 such as a line break) dropped; each line break
// (CR LF, lone CR, lone LF) made CR LF in a multi-line box, while a single-line box keeps the
// text before the first break, as the system's own single-line edit control does.
std::string NormalizeIncomingText(std::string_view text, bool multiLine);

// The longest start of a normalised text that fits in `maxBytes` and ends on a character
// boundary; a CR LF counts as one character.
std::string_view CutToLength(std::string_view text, int maxBytes);

}  // namespace ui

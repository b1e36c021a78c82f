// How an edit box's text model maps to what it shows: the displayed line (password characters in
// password mode), columns of the displayed text, the caret position under a mouse x, and the
// horizontal scroll that keeps the caret in view. Pixel widths come from the box, which
// measures with its font. Portable.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "toolkit/controls/edit_text_model.h"

namespace ui {

// Width in pixels of displayed bytes (a start of a displayed line).
using TextWidth = std::function<int(std::string_view bytes)>;

class EditDisplay {
  public:
    // The password character is the first character of `passwordCharacter`, "*" when it
    // holds none.
    EditDisplay(const EditTextModel& model, std::string_view passwordCharacter);
    // A display only refers to its model, which must outlive it.
    EditDisplay(EditTextModel&& model, std::string_view passwordCharacter) = delete;

    const std::string& PasswordCharacter() const { return passwordCharacter_; }
    void SetPasswordCharacter(std::string_view passwordCharacter);
    // The line as shown: itself, or in password mode one password character per character,
    // a double-byte character counting as one.
    std::string Line(int line) const;
    // The byte column of Line() that matches a position of the model.
    int Column(EditPosition position) const;
    // The character boundary of `line` nearest to `x` pixels from the line's start.
    EditPosition PositionAtX(int line, int x, const TextWidth& width) const;
    // The horizontal scroll in pixels, moved as little as possible from `offset`, that shows
    // the caret (one pixel wide) in a box `boxWidth` wide. A single-line box also leaves no
    // room after the end of its text while that text is wider than the box.
    int ScrollOffsetForCaret(const TextWidth& width, int boxWidth, int offset) const;

    // The first line shown, moved as little as possible from `firstLine`, so that the caret's line
    // is one of the `visibleLines` shown and no room is left below the last line.
    int FirstLineForCaret(int visibleLines, int firstLine) const;

  private:
    bool ShowsPassword() const;

    const EditTextModel& model_;
    std::string passwordCharacter_;
};

}  // namespace ui

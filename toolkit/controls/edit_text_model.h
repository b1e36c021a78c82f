// The text an edit box holds: lines of code page 936 text, the caret and the selection anchor,
// and the edits the box makes. Positions are (line, byte column) pairs that always sit on a
// character boundary, so no edit or caret move splits a double-byte character. Every text that
// enters is normalised first (see NormalizeIncomingText) and cut to the box's maximum length,
// so each line holds whole characters and no line break, NUL or lone lead byte. Portable.
#pragma once

#include <algorithm>
#include <compare>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/value_types.h"
#include "toolkit/controls/edit_input_rules.h"

namespace ui {

struct EditPosition {
    int line = 0;
    int column = 0;  // bytes from the start of the line
    auto operator<=>(const EditPosition&) const = default;
};

enum class EditMove { kHome, kEnd, kLeft, kRight, kUp, kDown };

// Room of an edit box in bytes of its text, line breaks counting two (CR LF); the system's own
// edit control takes about as much by default.
constexpr int kDefaultEditMaxLength = 32767;

struct EditOptions {
    bool multiLine = false;
    EditInputMode mode = EditInputMode::kNormal;
    int maxLength = kDefaultEditMaxLength;
};

class EditTextModel {
  public:
    explicit EditTextModel(EditOptions options = {});

    bool IsMultiLine() const { return multiLine_; }
    EditInputMode Mode() const { return mode_; }
    void SetMode(EditInputMode mode) { mode_ = mode; }
    bool IsReadOnly() const { return mode_ == EditInputMode::kReadOnly; }
    int MaxLength() const { return maxLength_; }
    // A negative limit counts as 0; a text longer than the new limit is cut to it.
    void SetMaxLength(int maxLength);

    // The whole text, lines joined by CR LF; empty (the null text) when the box is empty.
    rt::TextValue Text() const;
    // Replaces the whole text (also in read-only mode); caret and anchor go to the start.
    void SetText(std::string_view text);
    void Clear() { SetText({}); }
    // Length of Text() in bytes.
    int Length() const;
    bool IsEmpty() const { return lines_.size() == 1 && lines_[0].empty(); }
    int LineCount() const { return static_cast<int>(lines_.size()); }
    std::string_view Line(int index) const { return lines_[static_cast<std::size_t>(index)]; }
    EditPosition End() const;

    EditPosition Caret() const { return caret_; }
    EditPosition Anchor() const { return anchor_; }
    bool HasSelection() const { return caret_ != anchor_; }
    EditPosition SelectionStart() const { return std::min(caret_, anchor_); }
    EditPosition SelectionEnd() const { return std::max(caret_, anchor_); }
    rt::TextValue SelectedText() const;
    // Anchor at the start, caret at the end.
    void SelectAll();
    void ClearSelection() { anchor_ = caret_; }

    // Puts the caret at a position (from a mouse click, say): the line and column are clamped
    // to the text and the column moved back to the start of the character it falls in. With
    // `extend` the anchor stays, so the selection grows or shrinks; else it follows the caret.
    void PlaceCaret(EditPosition position, bool extend);
    // Selects the word at a position (a double click): the run of characters of one kind around
    // it (letters, digits and "_"; double-byte characters; blanks; other signs), with the caret
    // at its end. At a line's end the run before it counts.
    void SelectWordAt(EditPosition position);
    // Home and End go to the ends of the caret's line; Left and Right step one character,
    // crossing line ends; Up and Down keep the column the caret had when vertical moves began
    // (as far as each line allows), and go to the start of the first line or the end of the
    // last. Without `extend` a selection collapses: Left and Right to its start and end.
    void MoveCaret(EditMove move, bool extend);

    // Replaces the selection by the text at the caret, which ends after it. Nothing happens in
    // read-only mode or when nothing of the text fits (empty, or no room left); a text longer
    // than the room is cut on a character boundary. Returns whether it changed the text.
    bool InsertText(std::string_view text);
    // Deletes the selected text; false in read-only mode or without a selection.
    bool DeleteSelection();
    // The selection, else the character before the caret (at a line start: the line break).
    bool DeleteBackward();
    // The selection, else the character after the caret (at a line end: the line break).
    bool DeleteForward();
    // Inserts a line break in a multi-line box; a single-line box takes none.
    bool InsertLineBreak();

  private:
    EditPosition Clamped(EditPosition position) const;
    EditPosition PositionBefore(EditPosition position) const;
    EditPosition PositionAfter(EditPosition position) const;
    EditPosition VerticalTarget(EditMove move);
    void SetLines(std::string_view normalText);
    void Erase(EditPosition start, EditPosition end);
    void InsertAt(EditPosition position, std::string_view normalText);
    bool DeleteSelectionOr(EditPosition (EditTextModel::*other)(EditPosition) const);

    bool multiLine_;
    EditInputMode mode_;
    int maxLength_;
    std::vector<std::string> lines_{std::string()};
    EditPosition caret_;
    EditPosition anchor_;
    // The column vertical moves aim at; -1 when the last move was not vertical.
    int goalColumn_ = -1;
};

}  // namespace ui

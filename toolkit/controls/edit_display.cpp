#include "toolkit/controls/edit_display.h"

#include <algorithm>
#include <vector>

#include "runtime/dbcs.h"

namespace ui {
namespace {

// Column 0 and the end of every character of the line.
std::vector<int> Boundaries(std::string_view line) {
    std::vector<int> boundaries{0};
    for (std::size_t at = 0; at < line.size(); at += rt::CharWidthAt(line, at))
        boundaries.push_back(static_cast<int>(at + rt::CharWidthAt(line, at)));
    return boundaries;
}

int CharacterCount(std::string_view text) {
    return static_cast<int>(Boundaries(text).size()) - 1;
}

}  // namespace

EditDisplay::EditDisplay(const EditTextModel& model, std::string_view passwordCharacter)
    : model_(model) {
    SetPasswordCharacter(passwordCharacter);
}

void EditDisplay::SetPasswordCharacter(std::string_view passwordCharacter) {
    passwordCharacter_ = NormalizeIncomingText(passwordCharacter, false);
    if (passwordCharacter_.empty()) passwordCharacter_ = "*";
    passwordCharacter_.resize(rt::CharWidthAt(passwordCharacter_, 0));
}

std::string EditDisplay::Line(int line) const {
    const std::string_view text = model_.Line(line);
    if (!ShowsPassword()) return std::string(text);
    std::string shown;
    for (int count = CharacterCount(text); count > 0; --count)
        shown += passwordCharacter_;
    return shown;
}

int EditDisplay::Column(EditPosition position) const {
    if (!ShowsPassword()) return position.column;
    const std::string_view before = model_.Line(position.line).substr(0, position.column);
    return CharacterCount(before) * static_cast<int>(passwordCharacter_.size());
}

EditPosition EditDisplay::PositionAtX(int line, int x, const TextWidth& width) const {
    const std::vector<int> boundaries = Boundaries(model_.Line(line));
    const std::string shown = Line(line);
    const auto xAt = [&](std::size_t index) {
        const int column = Column({line, boundaries[index]});
        return column == 0 ? 0 : width(std::string_view(shown).substr(0, column));
    };
    // Widths grow with the column: find the first boundary at or right of x.
    std::size_t low = 0;
    std::size_t high = boundaries.size() - 1;
    while (low < high) {
        const std::size_t middle = (low + high) / 2;
        if (xAt(middle) < x) {
            low = middle + 1;
        } else {
            high = middle;
        }
    }
    if (low > 0 && x - xAt(low - 1) < xAt(low) - x) --low;
    return {line, boundaries[low]};
}

int EditDisplay::ScrollOffsetForCaret(const TextWidth& width, int boxWidth, int offset) const {
    boxWidth = std::max(boxWidth, 1);
    const EditPosition caret = model_.Caret();
    const std::string shown = Line(caret.line);
    const int caretX = width(std::string_view(shown).substr(0, Column(caret)));
    if (caretX < offset) offset = caretX;
    if (caretX >= offset + boxWidth) offset = caretX - boxWidth + 1;
    if (!model_.IsMultiLine()) offset = std::min(offset, width(shown) + 1 - boxWidth);
    return std::max(offset, 0);
}

int EditDisplay::FirstLineForCaret(int visibleLines, int firstLine) const {
    visibleLines = std::max(visibleLines, 1);
    const int caretLine = model_.Caret().line;
    firstLine = std::min(firstLine, caretLine);
    firstLine = std::max(firstLine, caretLine - visibleLines + 1);
    return std::clamp(firstLine, 0, std::max(model_.LineCount() - visibleLines, 0));
}

bool EditDisplay::ShowsPassword() const {
    return model_.Mode() == EditInputMode::kPassword;
}

}  // namespace ui

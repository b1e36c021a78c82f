#include "toolkit/controls/edit_text_model.h"

#include <algorithm>
#include <cctype>

#include "runtime/dbcs.h"

namespace ui {
namespace {

constexpr std::string_view kLineBreak = "\r\n";

int Size(std::string_view line) {
    return static_cast<int>(line.size());
}

int WidthAt(std::string_view line, int column) {
    return static_cast<int>(rt::CharWidthAt(line, static_cast<std::size_t>(column)));
}

// The start of the character that holds byte `column` (the line's end stays the end).
int CharacterStart(std::string_view line, int column) {
    int at = 0;
    while (at < column && at + WidthAt(line, at) <= column)
        at += WidthAt(line, at);
    return at;
}

// The boundary before `column` (> 0, itself a boundary): double-byte texts are read forwards.
int BoundaryBefore(std::string_view line, int column) {
    int at = 0;
    int previous = 0;
    while (at < column) {
        previous = at;
        at += WidthAt(line, at);
    }
    return previous;
}

// What kind of character starts at `column`: words are runs of one kind.
enum class CharacterKind { kWord, kDoubleByte, kBlank, kSign };

CharacterKind KindAt(std::string_view line, int column) {
    const unsigned char c = static_cast<unsigned char>(line[static_cast<std::size_t>(column)]);
    if (rt::IsLeadByte(c)) return CharacterKind::kDoubleByte;
    if (c == ' ' || c == '\t') return CharacterKind::kBlank;
    if (std::isalnum(c) || c == '_') return CharacterKind::kWord;
    return CharacterKind::kSign;
}

std::vector<std::string> SplitLines(std::string_view normalText) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t at; (at = normalText.find(kLineBreak, start)) != std::string_view::npos;
         start = at + kLineBreak.size()) {
        lines.emplace_back(normalText.substr(start, at - start));
    }
    lines.emplace_back(normalText.substr(start));
    return lines;
}

}  // namespace

EditTextModel::EditTextModel(EditOptions options)
    : multiLine_(options.multiLine),
      mode_(options.mode),
      maxLength_(std::max(options.maxLength, 0)) {}

void EditTextModel::SetMaxLength(int maxLength) {
    maxLength_ = std::max(maxLength, 0);
    if (Length() <= maxLength_) return;
    const rt::TextValue text = Text();
    SetLines(CutToLength(text, maxLength_));
    caret_ = Clamped(caret_);
    anchor_ = Clamped(anchor_);
}

rt::TextValue EditTextModel::Text() const {
    rt::TextValue text;
    text.reserve(static_cast<std::size_t>(Length()));
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        if (i > 0) text += kLineBreak;
        text += lines_[i];
    }
    return text;
}

void EditTextModel::SetText(std::string_view text) {
    SetLines(CutToLength(NormalizeIncomingText(text, multiLine_), maxLength_));
    caret_ = anchor_ = EditPosition{};
    goalColumn_ = -1;
}

int EditTextModel::Length() const {
    int length = Size(kLineBreak) * (LineCount() - 1);
    for (const std::string& line : lines_)
        length += Size(line);
    return length;
}

EditPosition EditTextModel::End() const {
    return {LineCount() - 1, Size(lines_.back())};
}

rt::TextValue EditTextModel::SelectedText() const {
    const EditPosition start = SelectionStart();
    const EditPosition end = SelectionEnd();
    if (start.line == end.line) {
        return rt::TextValue(Line(start.line).substr(start.column, end.column - start.column));
    }
    rt::TextValue text(Line(start.line).substr(start.column));
    for (int line = start.line + 1; line < end.line; ++line)
        text.append(kLineBreak).append(Line(line));
    text.append(kLineBreak).append(Line(end.line).substr(0, end.column));
    return text;
}

void EditTextModel::SelectAll() {
    anchor_ = EditPosition{};
    caret_ = End();
    goalColumn_ = -1;
}

void EditTextModel::PlaceCaret(EditPosition position, bool extend) {
    caret_ = Clamped(position);
    if (!extend) anchor_ = caret_;
    goalColumn_ = -1;
}

void EditTextModel::SelectWordAt(EditPosition position) {
    position = Clamped(position);
    const std::string_view line = Line(position.line);
    if (line.empty()) {
        PlaceCaret(position, false);
        return;
    }
    int at = position.column < Size(line) ? position.column : BoundaryBefore(line, Size(line));
    const CharacterKind kind = KindAt(line, at);
    int start = at;
    while (start > 0 && KindAt(line, BoundaryBefore(line, start)) == kind)
        start = BoundaryBefore(line, start);
    int end = at;
    while (end < Size(line) && KindAt(line, end) == kind)
        end += WidthAt(line, end);
    PlaceCaret({position.line, start}, false);
    PlaceCaret({position.line, end}, true);
}

void EditTextModel::MoveCaret(EditMove move, bool extend) {
    const bool collapse = !extend && HasSelection();
    EditPosition target;
    switch (move) {
        case EditMove::kHome:
            target = {caret_.line, 0};
            break;
        case EditMove::kEnd:
            target = {caret_.line, Size(Line(caret_.line))};
            break;
        case EditMove::kLeft:
            target = collapse ? SelectionStart() : PositionBefore(caret_);
            break;
        case EditMove::kRight:
            target = collapse ? SelectionEnd() : PositionAfter(caret_);
            break;
        case EditMove::kUp:
        case EditMove::kDown:
            target = VerticalTarget(move);
            break;
    }
    const int goal = goalColumn_;
    PlaceCaret(target, extend);
    if (move == EditMove::kUp || move == EditMove::kDown) goalColumn_ = goal;
}

bool EditTextModel::InsertText(std::string_view text) {
    if (IsReadOnly()) return false;
    const std::string normal = NormalizeIncomingText(text, multiLine_);
    const int kept = Length() - Size(SelectedText());
    const std::string_view fitting = CutToLength(normal, maxLength_ - kept);
    if (fitting.empty()) return false;
    Erase(SelectionStart(), SelectionEnd());
    InsertAt(caret_, fitting);
    return true;
}

bool EditTextModel::DeleteSelection() {
    if (IsReadOnly() || !HasSelection()) return false;
    Erase(SelectionStart(), SelectionEnd());
    return true;
}

bool EditTextModel::DeleteBackward() {
    return DeleteSelectionOr(&EditTextModel::PositionBefore);
}

bool EditTextModel::DeleteForward() {
    return DeleteSelectionOr(&EditTextModel::PositionAfter);
}

bool EditTextModel::InsertLineBreak() {
    return multiLine_ && InsertText(kLineBreak);
}

EditPosition EditTextModel::Clamped(EditPosition position) const {
    const int line = std::clamp(position.line, 0, LineCount() - 1);
    const std::string_view text = Line(line);
    return {line, CharacterStart(text, std::clamp(position.column, 0, Size(text)))};
}

EditPosition EditTextModel::PositionBefore(EditPosition position) const {
    if (position.column > 0) {
        return {position.line, BoundaryBefore(Line(position.line), position.column)};
    }
    if (position.line > 0) return {position.line - 1, Size(Line(position.line - 1))};
    return position;
}

EditPosition EditTextModel::PositionAfter(EditPosition position) const {
    const std::string_view line = Line(position.line);
    if (position.column < Size(line)) {
        return {position.line, position.column + WidthAt(line, position.column)};
    }
    if (position.line + 1 < LineCount()) return {position.line + 1, 0};
    return position;
}

EditPosition EditTextModel::VerticalTarget(EditMove move) {
    if (goalColumn_ < 0) goalColumn_ = caret_.column;
    if (move == EditMove::kUp) {
        if (caret_.line == 0) return {};
        return Clamped({caret_.line - 1, goalColumn_});
    }
    if (caret_.line + 1 == LineCount()) return End();
    return Clamped({caret_.line + 1, goalColumn_});
}

void EditTextModel::SetLines(std::string_view normalText) {
    lines_ = SplitLines(normalText);
}

void EditTextModel::Erase(EditPosition start, EditPosition end) {
    std::string& first = lines_[static_cast<std::size_t>(start.line)];
    first = first.substr(0, static_cast<std::size_t>(start.column)) +
            std::string(Line(end.line).substr(static_cast<std::size_t>(end.column)));
    lines_.erase(lines_.begin() + start.line + 1, lines_.begin() + end.line + 1);
    caret_ = anchor_ = start;
    goalColumn_ = -1;
}

void EditTextModel::InsertAt(EditPosition position, std::string_view normalText) {
    std::vector<std::string> pieces = SplitLines(normalText);
    std::string& line = lines_[static_cast<std::size_t>(position.line)];
    const std::string tail = line.substr(static_cast<std::size_t>(position.column));
    line.resize(static_cast<std::size_t>(position.column));
    line += pieces.front();
    const int lastLine = position.line + static_cast<int>(pieces.size()) - 1;
    lines_.insert(lines_.begin() + position.line + 1, std::make_move_iterator(pieces.begin() + 1),
                  std::make_move_iterator(pieces.end()));
    std::string& last = lines_[static_cast<std::size_t>(lastLine)];
    caret_ = anchor_ = {lastLine, Size(last)};
    last += tail;
    goalColumn_ = -1;
}

bool EditTextModel::DeleteSelectionOr(EditPosition (EditTextModel::*other)(EditPosition) const) {
    if (IsReadOnly()) return false;
    if (HasSelection()) return DeleteSelection();
    const EditPosition neighbour = (this->*other)(caret_);
    if (neighbour == caret_) return false;
    Erase(std::min(caret_, neighbour), std::max(caret_, neighbour));
    return true;
}

}  // namespace ui

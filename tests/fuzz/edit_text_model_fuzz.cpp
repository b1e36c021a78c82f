// Drives an edit box's text model through operation sequences read from the input (texts set,
// inserted, pasted and typed, keys, caret placements, mode and limit changes, display queries)
// and checks after each step what must always hold: every line holds whole characters and no
// line break or NUL, caret and anchor sit on character boundaries inside the text, the text
// fits the limit, a read-only box does not change, and the text set into a second box comes
// back unchanged.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "runtime/dbcs.h"
#include "toolkit/controls/edit_commands.h"
#include "toolkit/controls/edit_display.h"
#include "toolkit/controls/edit_text_model.h"

namespace {

using ui::EditPosition;
using ui::EditTextModel;

void Check(bool condition) {
    if (!condition) std::abort();
}

class Input {
  public:
    Input(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    bool AtEnd() const { return at_ >= size_; }
    int Byte() { return at_ < size_ ? data_[at_++] : 0; }
    int Signed() { return static_cast<std::int8_t>(Byte()); }
    std::string Text() {
        const std::size_t length = std::min<std::size_t>(Byte(), size_ - std::min(at_, size_));
        std::string text(reinterpret_cast<const char*>(data_ + at_), length);
        at_ += length;
        return text;
    }

  private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t at_ = 0;
};

// Whether `column` is a character boundary of `line`, which must hold whole characters only.
bool WholeCharactersWithBoundary(std::string_view line, int column) {
    bool boundary = column == 0;
    for (std::size_t at = 0; at < line.size();) {
        const unsigned char c = static_cast<unsigned char>(line[at]);
        if (c == '\0' || c == '\r' || c == '\n') return false;
        if (rt::IsLeadByte(c)) {
            if (at + 1 >= line.size() || static_cast<unsigned char>(line[at + 1]) < 0x40) {
                return false;
            }
            at += 2;
        } else {
            ++at;
        }
        boundary = boundary || static_cast<int>(at) == column;
    }
    return boundary;
}

void CheckPosition(const EditTextModel& model, EditPosition position) {
    Check(position.line >= 0 && position.line < model.LineCount());
    Check(WholeCharactersWithBoundary(model.Line(position.line), position.column));
}

void CheckInvariants(const EditTextModel& model) {
    Check(model.LineCount() >= 1);
    Check(model.IsMultiLine() || model.LineCount() == 1);
    for (int line = 0; line < model.LineCount(); ++line)
        Check(WholeCharactersWithBoundary(model.Line(line), 0));
    CheckPosition(model, model.Caret());
    CheckPosition(model, model.Anchor());
    const rt::TextValue text = model.Text();
    Check(static_cast<int>(text.size()) == model.Length());
    Check(model.Length() <= model.MaxLength());
    Check(model.IsEmpty() == text.empty());

    EditTextModel again({.multiLine = model.IsMultiLine(), .maxLength = model.MaxLength()});
    again.SetText(text);
    Check(again.Text() == text);
}

int SevenPerByte(std::string_view bytes) {
    return 7 * static_cast<int>(bytes.size());
}

void CheckDisplay(const EditTextModel& model, Input& input) {
    const ui::EditDisplay display(model, input.Text());
    const int line = model.Caret().line;
    const EditPosition hit = display.PositionAtX(line, input.Signed() * 4, SevenPerByte);
    Check(hit.line == line && WholeCharactersWithBoundary(model.Line(line), hit.column));
    const int boxWidth = input.Byte();
    const int offset = display.ScrollOffsetForCaret(SevenPerByte, boxWidth, input.Byte() * 3);
    const int caretX = SevenPerByte(display.Line(line).substr(0, display.Column(model.Caret())));
    Check(offset >= 0 && caretX >= offset && caretX < offset + std::max(boxWidth, 1));
}

void PressKey(EditTextModel& model, Input& input) {
    static constexpr int kKeys[] = {8, 13, 35, 36, 37, 38, 39, 40, 46, 'A', 'C', 'V', 'X'};
    const int choice = input.Byte();
    const int key = choice < 13 * 16 ? kKeys[choice % 13] : choice;
    const int flags = input.Byte();
    const std::string clipboard = input.Text();
    const rt::TextValue selected = model.SelectedText();
    const rt::TextValue before = model.Text();
    rt::TextValue written;
    const ui::EditClipboard board{[&] { return rt::TextValue(clipboard); },
                                  [&](const rt::TextValue& text) {
                                      written = text;
                                      return (flags & 4) != 0;
                                  }};
    ui::HandleEditKey(model, key, flags & 1, flags & 2, board);
    Check(written.empty() || written == selected);
    // A copy or cut the clipboard refused leaves the text as it was.
    Check(written.empty() || (flags & 4) || model.Text() == before);
}

// One operation; false when it may legitimately change a read-only box.
bool Step(EditTextModel& model, Input& input) {
    switch (input.Byte() % 12) {
        case 0:
            model.SetText(input.Text());
            return false;
        case 1:
            model.InsertText(input.Text());
            break;
        case 2:
            ui::InsertUserText(model, input.Text());
            break;
        case 3:
            ui::TypeCharacter(model, input.Byte());
            break;
        case 4:
            PressKey(model, input);
            break;
        case 5: {
            const EditPosition target{input.Signed(), input.Signed()};
            model.PlaceCaret(target, input.Byte() & 1);
            break;
        }
        case 6:
            model.MoveCaret(static_cast<ui::EditMove>(input.Byte() % 6), input.Byte() & 1);
            break;
        case 7:
            model.SetMode(static_cast<ui::EditInputMode>(input.Byte() % 5));
            return false;
        case 8:
            model.SetMaxLength(input.Signed() * 4);
            return false;
        case 9: {
            const int length = model.Length();
            const int selected = static_cast<int>(model.SelectedText().size());
            if (model.DeleteSelection()) Check(model.Length() == length - selected);
            break;
        }
        case 10:
            CheckDisplay(model, input);
            break;
        default:
            model.SelectAll();
            Check(model.SelectedText() == model.Text());
            break;
    }
    return true;
}

// A text already in a multi-line box's form, made from the input: it must come back unchanged.
std::string CleanText(Input& input) {
    std::string text;
    for (const char c : input.Text()) {
        const unsigned char byte = static_cast<unsigned char>(c);
        if (byte < 0x20) {
            text += "\r\n";
        } else if (rt::IsLeadByte(byte)) {
            text += {c, static_cast<char>(0x40 + byte % 0x80)};
        } else {
            text += c;
        }
    }
    return text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Input input(data, size);
    const std::string clean = CleanText(input);
    EditTextModel roundTrip({.multiLine = true});
    roundTrip.SetText(clean);
    Check(roundTrip.Text() == clean);

    const int options = input.Byte();
    EditTextModel model({.multiLine = (options & 1) != 0,
                         .mode = static_cast<ui::EditInputMode>((options >> 1) % 5),
                         .maxLength = options & 0x10 ? input.Byte() : ui::kDefaultEditMaxLength});
    for (int steps = 0; !input.AtEnd() && steps < 256; ++steps) {
        const rt::TextValue before = model.Text();
        const bool readOnly = model.IsReadOnly();
        if (Step(model, input) && readOnly) Check(model.Text() == before);
        CheckInvariants(model);
    }
    return 0;
}

// A text with its caret and selection written in: "|" marks the caret and "^" the
// selection anchor (only when something is selected), so "a^bc|" has "bc" selected with the caret
// at the end. Tests state a model before and after an action in this form.
#pragma once

#include <string>
#include <string_view>

#include "toolkit/controls/edit_text_model.h"

namespace ui::test {

// The kinds of box the model tests use most.
inline const EditOptions kMultiLine{.multiLine = true};
inline const EditOptions kReadOnly{.mode = EditInputMode::kReadOnly};
inline const EditOptions kPassword{.mode = EditInputMode::kPassword};

// Bytes as an ASCII test name can show them: line breaks and other bytes escaped.
inline std::string Escaped(std::string_view bytes) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string shown;
    for (const char c : bytes) {
        const unsigned char byte = static_cast<unsigned char>(c);
        if (c == '\r') {
            shown += "\\r";
        } else if (c == '\n') {
            shown += "\\n";
        } else if (byte > ' ' && byte < 0x7F) {
            shown += c;
        } else {
            shown += {'\\', 'x', kHex[byte >> 4], kHex[byte & 15]};
        }
    }
    return shown;
}

inline EditTextModel ModelFrom(std::string_view marked, EditOptions options = {}) {
    std::string text;
    EditPosition position, caret, anchor;
    bool anchored = false;
    for (const char c : marked) {
        if (c == '|' || c == '^') {
            (c == '|' ? caret : anchor) = position;
            anchored = anchored || c == '^';
            continue;
        }
        text += c;
        if (c == '\n') {
            position = {position.line + 1, 0};
        } else if (c != '\r') {
            ++position.column;
        }
    }
    EditTextModel model(options);
    model.SetText(text);
    model.PlaceCaret(anchored ? anchor : caret, false);
    model.PlaceCaret(caret, true);
    return model;
}

inline std::string Marked(const EditTextModel& model) {
    std::string marked;
    for (int line = 0; line < model.LineCount(); ++line) {
        if (line > 0) marked += "\r\n";
        const std::string_view text = model.Line(line);
        for (int column = 0; column <= static_cast<int>(text.size()); ++column) {
            const EditPosition here{line, column};
            if (model.HasSelection() && model.Anchor() == here) marked += '^';
            if (model.Caret() == here) marked += '|';
            if (column < static_cast<int>(text.size())) marked += text[column];
        }
    }
    return marked;
}

}  // namespace ui::test

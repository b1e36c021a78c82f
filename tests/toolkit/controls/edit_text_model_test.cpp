// The text model's edits and caret moves, written as before/after states (see edit_notation.h).
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "edit_notation.h"
#include "toolkit/controls/edit_text_model.h"

namespace ui {
namespace {

using test::Marked;
using test::ModelFrom;

using test::kMultiLine;
const EditOptions kReadOnlyLines{.multiLine = true, .mode = EditInputMode::kReadOnly};

TEST(EditTextModel, TextSetThenGetGivesTheSameText) {
    for (const char* text :
         {"", "C:\\Program Files\\VantorSaelin", "安装 到 D:\\软件", "a\r\n\r\nb"}) {
        EditTextModel model(kMultiLine);
        model.SetText(text);
        EXPECT_EQ(text, model.Text());
        EXPECT_EQ(EditPosition{}, model.Caret());
        EXPECT_FALSE(model.HasSelection());
    }
}

TEST(EditTextModel, TextSetKeepsTheBoxsFormAndLength) {
    EditTextModel single;
    single.SetText("D:\\a\r\nD:\\b");
    EXPECT_EQ("D:\\a", single.Text());
    EditTextModel limited({.multiLine = true, .maxLength = 5});
    limited.SetText("ab\n中文");
    EXPECT_EQ("ab\r\n", limited.Text());  // "中" would need two more bytes
}

TEST(EditTextModel, LoweringTheLimitCutsTheTextAndKeepsPositionsInside) {
    EditTextModel model = ModelFrom("a^b中文|", kMultiLine);
    model.SetMaxLength(4);
    EXPECT_EQ("a^b中|", Marked(model));
    model.SetMaxLength(-3);
    EXPECT_EQ("|", Marked(model));
}

TEST(EditTextModel, SelectionIsReadAcrossLines) {
    EditTextModel model = ModelFrom("a^b\r\n中\r\nc|d", kMultiLine);
    EXPECT_EQ("b\r\n中\r\nc", model.SelectedText());
    model.SelectAll();
    EXPECT_EQ("^ab\r\n中\r\ncd|", Marked(model));
    model.ClearSelection();
    EXPECT_EQ("", model.SelectedText());
}

struct PlaceCase {
    std::string before;
    EditPosition target;
    bool extend;
    std::string after;
};

void PrintTo(const PlaceCase& c, std::ostream* out) {
    *out << test::Escaped(c.before) << "@" << c.target.line << "," << c.target.column;
}

class PlaceCaret : public testing::TestWithParam<PlaceCase> {};

TEST_P(PlaceCaret, ClampsAndSnapsToACharacterStart) {
    const PlaceCase& c = GetParam();
    EditTextModel model = ModelFrom(c.before, kMultiLine);
    model.PlaceCaret(c.target, c.extend);
    EXPECT_EQ(c.after, Marked(model));
}

INSTANTIATE_TEST_SUITE_P(EditTextModel, PlaceCaret,
                         testing::Values(PlaceCase{"中文|", {0, 1}, false, "|中文"},
                                         PlaceCase{"中文|", {0, 3}, false, "中|文"},
                                         PlaceCase{"|中文", {9, 99}, false, "中文|"},
                                         PlaceCase{"ab|", {-1, -1}, false, "|ab"},
                                         PlaceCase{"ab|c", {0, 0}, true, "|ab^c"},
                                         PlaceCase{"|ab\r\ncd", {1, 1}, true, "^ab\r\nc|d"}));

TEST(EditTextModel, ADoubleClickSelectsTheRunOfOneKindOfCharacter) {
    const std::pair<EditPosition, std::string> cases[] = {
        {{0, 5}, "D:\\^Program| Files\\中文"},   // letters
        {{0, 10}, "D:\\Program^ |Files\\中文"},  // the blank
        {{0, 19}, "D:\\Program Files\\^中文|"},  // inside a double-byte run
        {{0, 22}, "D:\\Program Files\\^中文|"},  // at the line's end
        {{0, 16}, "D:\\Program Files^\\|中文"},  // a sign between other kinds
    };
    for (const auto& [at, after] : cases) {
        EditTextModel model = ModelFrom("D:\\Program Files\\中文|");
        model.SelectWordAt(at);
        EXPECT_EQ(after, Marked(model)) << at.column;
    }
    EditTextModel empty = ModelFrom("ab\r\n|", kMultiLine);
    empty.SelectWordAt({1, 0});
    EXPECT_EQ("ab\r\n|", Marked(empty));
}

struct MoveCase {
    std::string before;
    std::vector<EditMove> moves;
    bool extend;
    std::string after;
};

void PrintTo(const MoveCase& c, std::ostream* out) {
    *out << test::Escaped(c.before) << (c.extend ? "+shift" : "");
    for (const EditMove move : c.moves)
        *out << "," << static_cast<int>(move);
}

class MoveCaret : public testing::TestWithParam<MoveCase> {};

TEST_P(MoveCaret, StepsOverWholeCharactersAndLineBreaks) {
    const MoveCase& c = GetParam();
    EditTextModel model = ModelFrom(c.before, kMultiLine);
    for (const EditMove move : c.moves)
        model.MoveCaret(move, c.extend);
    EXPECT_EQ(c.after, Marked(model));
}

using M = EditMove;
INSTANTIATE_TEST_SUITE_P(
    EditTextModel, MoveCaret,
    testing::Values(MoveCase{"中|文", {M::kLeft}, false, "|中文"},
                    MoveCase{"中|文", {M::kRight}, false, "中文|"},
                    MoveCase{"a\r\n|b", {M::kLeft}, false, "a|\r\nb"},
                    MoveCase{"a|\r\nb", {M::kRight}, false, "a\r\n|b"},
                    MoveCase{"|ab", {M::kLeft, M::kUp}, false, "|ab"},
                    MoveCase{"ab|", {M::kRight, M::kDown}, false, "ab|"},
                    MoveCase{"ab|c", {M::kLeft}, true, "a|b^c"},
                    MoveCase{"a^b|c", {M::kLeft}, false, "a|bc"},   // collapses to the start
                    MoveCase{"a|b^c", {M::kRight}, false, "ab|c"},  // collapses to the end
                    MoveCase{"a^b|c", {M::kHome}, false, "|abc"},
                    MoveCase{"a|bc\r\nd", {M::kEnd}, false, "abc|\r\nd"},
                    MoveCase{"ab|c", {M::kHome}, true, "|ab^c"},
                    MoveCase{"abcd\r\nab|cd", {M::kUp}, false, "ab|cd\r\nabcd"},
                    MoveCase{"ab|\r\ncd", {M::kUp}, false, "|ab\r\ncd"},
                    MoveCase{"ab\r\nc|d", {M::kDown}, false, "ab\r\ncd|"},
                    MoveCase{"abc|d\r\na\r\nabcd",
                             {M::kDown, M::kDown},
                             false,
                             "abcd\r\na\r\nabc|d"},  // the column is kept across a short line
                    MoveCase{"中文\r\na|bc", {M::kUp}, false, "|中文\r\nabc"},
                    MoveCase{"中文\r\nabc|", {M::kUp}, true, "中|文\r\nabc^"}));

struct EditCase {
    std::string name;
    EditOptions options;
    std::string before;
    std::function<bool(EditTextModel&)> edit;
    bool changed;
    std::string after;
};

void PrintTo(const EditCase& c, std::ostream* out) {
    *out << c.name;
}

class Edits : public testing::TestWithParam<EditCase> {};

TEST_P(Edits, ChangeTheTextOnlyAsTheModeAllows) {
    const EditCase& c = GetParam();
    EditTextModel model = ModelFrom(c.before, c.options);
    EXPECT_EQ(c.changed, c.edit(model));
    EXPECT_EQ(c.after, Marked(model));
}

bool Insert(EditTextModel& model, std::string text) {
    return model.InsertText(text);
}
const auto kInsertX = [](EditTextModel& m) { return Insert(m, "X"); };
const auto kBackspace = [](EditTextModel& m) { return m.DeleteBackward(); };
const auto kDelete = [](EditTextModel& m) { return m.DeleteForward(); };
const auto kDeleteSelection = [](EditTextModel& m) { return m.DeleteSelection(); };

INSTANTIATE_TEST_SUITE_P(
    EditTextModel, Edits,
    testing::Values(
        EditCase{"InsertAtCaret", {}, "ab|c", kInsertX, true, "abX|c"},
        EditCase{"InsertReplacesSelection",
                 {},
                 "a^bc|",
                 [](auto& m) { return Insert(m, "中"); },
                 true,
                 "a中|"},
        EditCase{"InsertNothing", {}, "a^b|", [](auto& m) { return Insert(m, ""); }, false, "a^b|"},
        EditCase{"InsertCutAtNul",
                 {},
                 "a|",
                 [](auto& m) { return Insert(m, std::string("x\0y", 3)); },
                 true,
                 "ax|"},
        EditCase{"InsertLinesInMultiLine", kMultiLine, "a|b",
                 [](auto& m) { return Insert(m, "x\ny\r\n"); }, true, "ax\r\ny\r\n|b"},
        EditCase{"InsertCutToRoom",
                 {.maxLength = 4},
                 "ab|",
                 [](auto& m) { return Insert(m, "c中"); },
                 true,
                 "abc|"},
        EditCase{"InsertRoomCountsSelection",
                 {.maxLength = 3},
                 "a^b|",
                 [](auto& m) { return Insert(m, "xyz"); },
                 true,
                 "axy|"},
        EditCase{"InsertUsesTheSelectionsRoom", {.maxLength = 2}, "a^b|", kInsertX, true, "aX|"},
        EditCase{"InsertFull", {.maxLength = 2}, "ab|", kInsertX, false, "ab|"},
        EditCase{"InsertReadOnly", kReadOnlyLines, "a^b|", kInsertX, false, "a^b|"},
        EditCase{"BackspaceWholeCharacter", {}, "中文|", kBackspace, true, "中|"},
        EditCase{"BackspaceJoinsLines", kMultiLine, "a\r\n|b", kBackspace, true, "a|b"},
        EditCase{"BackspaceSelection", kMultiLine, "a^\r\nb|c", kBackspace, true, "a|c"},
        EditCase{"BackspaceAtStart", {}, "|ab", kBackspace, false, "|ab"},
        EditCase{"BackspaceReadOnly", kReadOnlyLines, "ab|", kBackspace, false, "ab|"},
        EditCase{"DeleteWholeCharacter", {}, "|中文", kDelete, true, "|文"},
        EditCase{"DeleteJoinsLines", kMultiLine, "a|\r\nb", kDelete, true, "a|b"},
        EditCase{"DeleteSelection", {}, "a|bc^", kDelete, true, "a|"},
        EditCase{"DeleteAtEnd", {}, "ab|", kDelete, false, "ab|"},
        EditCase{"DeleteReadOnly", kReadOnlyLines, "a|b", kDelete, false, "a|b"},
        EditCase{"DeleteSelectionOnly", {}, "a|b", kDeleteSelection, false, "a|b"},
        EditCase{"DeleteSelectionReadOnly", kReadOnlyLines, "a^b|", kDeleteSelection, false,
                 "a^b|"},
        EditCase{"LineBreakSingleLine",
                 {},
                 "a|b",
                 [](auto& m) { return m.InsertLineBreak(); },
                 false,
                 "a|b"},
        EditCase{"LineBreakMultiLine", kMultiLine, "a|b",
                 [](auto& m) { return m.InsertLineBreak(); }, true, "a\r\n|b"}),
    [](const testing::TestParamInfo<EditCase>& info) { return info.param.name; });

}  // namespace
}  // namespace ui

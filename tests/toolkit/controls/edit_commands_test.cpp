// Keys, typed characters, clipboard shortcuts and the context menu's item states, per mode.
#include <gtest/gtest.h>

#include <string>

#include "edit_notation.h"
#include "toolkit/controls/edit_commands.h"

namespace ui {
namespace {

using test::Marked;
using test::ModelFrom;
using Mode = EditInputMode;

struct TypingCase {
    Mode mode;
    std::string before;
    std::string typed;
    std::string after;
};

void PrintTo(const TypingCase& c, std::ostream* out) {
    *out << test::Escaped(c.before) << "+" << test::Escaped(c.typed);
}

class Typing : public testing::TestWithParam<TypingCase> {};

TEST_P(Typing, InsertsWhatTheModeAccepts) {
    const TypingCase& c = GetParam();
    EditTextModel model = ModelFrom(c.before, {.mode = c.mode});
    for (const char ch : c.typed)
        TypeCharacter(model, static_cast<unsigned char>(ch));
    EXPECT_EQ(c.after, Marked(model));
}

INSTANTIATE_TEST_SUITE_P(
    EditCommands, Typing,
    testing::Values(TypingCase{Mode::kInteger, "|", "1a-", "1-|"},
                    TypingCase{Mode::kDecimal, "|", "1.2.3", "1.23|"},
                    TypingCase{Mode::kDecimal, "1^.5|", ".", "1.|"},  // over the selected "."
                    TypingCase{Mode::kNormal, "中|", "\x1B\x7F\r\x1C~", "中\x1C~|"},
                    TypingCase{Mode::kReadOnly, "a|", "bc", "a|"}));

TEST(EditCommands, UserTextInNumberModesKeepsWhatCouldBeTyped) {
    EditTextModel integer = ModelFrom("1|", {.mode = Mode::kInteger});
    EXPECT_TRUE(InsertUserText(integer, "2a-3"));
    EXPECT_EQ("12-3|", Marked(integer));
    EXPECT_FALSE(InsertUserText(integer, "abc"));

    EditTextModel decimal = ModelFrom("1.|", {.mode = Mode::kDecimal});
    EXPECT_TRUE(InsertUserText(decimal, "2.5"));
    EXPECT_EQ("1.25|", Marked(decimal));

    EditTextModel normal = ModelFrom("|", {});
    EXPECT_TRUE(InsertUserText(normal, "输入法"));  // an input-method result goes in whole
    EXPECT_EQ("输入法|", Marked(normal));
}

struct KeyCase {
    std::string name;
    EditOptions options;
    std::string before;
    int key;
    bool ctrl;
    bool shift;
    std::string after;
    bool handled;
    std::string clipboardOut = "";
    bool clipboardTakes = true;  // false: another program holds the clipboard
};

void PrintTo(const KeyCase& c, std::ostream* out) {
    *out << c.name;
}

class Keys : public testing::TestWithParam<KeyCase> {};

TEST_P(Keys, ActOnTheModel) {
    const KeyCase& c = GetParam();
    EditTextModel model = ModelFrom(c.before, c.options);
    std::string written;
    const EditClipboard clipboard{[] { return rt::TextValue("xy"); },
                                  [&](const rt::TextValue& text) {
                                      written = text;
                                      return c.clipboardTakes;
                                  }};
    EXPECT_EQ(c.handled, HandleEditKey(model, c.key, c.ctrl, c.shift, clipboard));
    EXPECT_EQ(c.after, Marked(model));
    EXPECT_EQ(c.clipboardOut, written);
}

const EditOptions kNormal{};
using test::kMultiLine;
using test::kPassword;
using test::kReadOnly;

INSTANTIATE_TEST_SUITE_P(
    EditCommands, Keys,
    testing::Values(
        KeyCase{"SelectAll", kNormal, "a|b", 'A', true, false, "^ab|", true},
        KeyCase{"Copy", kNormal, "a^b|", 'C', true, false, "a^b|", true, "b"},
        KeyCase{"CopyNothing", kNormal, "a|b", 'C', true, false, "a|b", true},
        KeyCase{"Paste", kNormal, "a^b|", 'V', true, false, "axy|", true},
        KeyCase{"Cut", kNormal, "a^b中|", 'X', true, false, "a|", true, "b中"},
        KeyCase{"CutKeepsWhatTheClipboardRefused", kNormal, "a^b|", 'X', true, false, "a^b|", true,
                "b", false},
        KeyCase{"ReadOnlyCopies", kReadOnly, "a^b|", 'C', true, false, "a^b|", true, "b"},
        KeyCase{"ReadOnlyCutsNothing", kReadOnly, "a^b|", 'X', true, false, "a^b|", true},
        KeyCase{"ReadOnlyPastesNothing", kReadOnly, "a|", 'V', true, false, "a|", true},
        KeyCase{"PasswordCopiesNothing", kPassword, "a^b|", 'C', true, false, "a^b|", false},
        KeyCase{"PasswordPastesNothing", kPassword, "a|", 'V', true, false, "a|", false},
        KeyCase{"OtherCtrlKey", kNormal, "a|b", kEditKeyLeft, true, false, "a|b", false},
        KeyCase{"MenuCommand", kNormal, "a|b", kEditSelectAll, true, false, "^ab|", true},
        KeyCase{"Backspace", kNormal, "中文|", kEditKeyBackspace, false, false, "中|", true},
        KeyCase{"Delete", kNormal, "|中文", kEditKeyDelete, false, false, "|文", true},
        KeyCase{"EnterSingleLine", kNormal, "a|", kEditKeyEnter, false, false, "a|", true},
        KeyCase{"EnterMultiLine", kMultiLine, "a|b", kEditKeyEnter, false, false, "a\r\n|b", true},
        KeyCase{"ShiftExtends", kNormal, "ab|", kEditKeyHome, false, true, "|ab^", true},
        KeyCase{"MoveCollapses", kNormal, "a^b|", kEditKeyEnd, false, false, "ab|", true},
        KeyCase{"DownInMultiLine", kMultiLine, "a|\r\nb", kEditKeyDown, false, false, "a\r\nb|",
                true},
        KeyCase{"OtherKey", kNormal, "a|", 'A', false, false, "a|", false}),
    [](const testing::TestParamInfo<KeyCase>& info) { return info.param.name; });

struct MenuCase {
    Mode mode;
    std::string before;
    bool clipboardHasText;
    EditMenuStates states;
};

void PrintTo(const MenuCase& c, std::ostream* out) {
    *out << "mode" << static_cast<int>(c.mode) << ":" << test::Escaped(c.before);
}

class MenuStates : public testing::TestWithParam<MenuCase> {};

TEST_P(MenuStates, FollowModeSelectionAndClipboard) {
    const MenuCase& c = GetParam();
    const EditMenuStates states =
        EditMenuStatesFor(ModelFrom(c.before, {.mode = c.mode}), c.clipboardHasText);
    EXPECT_EQ(c.states.cut, states.cut);
    EXPECT_EQ(c.states.copy, states.copy);
    EXPECT_EQ(c.states.paste, states.paste);
    EXPECT_EQ(c.states.selectAll, states.selectAll);
}

INSTANTIATE_TEST_SUITE_P(EditCommands, MenuStates,
                         testing::Values(MenuCase{Mode::kNormal, "a^b|", true, {0, 0, 0, 1}},
                                         MenuCase{Mode::kNormal, "ab|", false, {-1, -1, -1, 1}},
                                         MenuCase{Mode::kNormal, "|", true, {-1, -1, 0, -1}},
                                         MenuCase{Mode::kReadOnly, "a^b|", true, {-1, 0, -1, 1}},
                                         MenuCase{Mode::kInteger, "^1|", true, {0, 0, 0, 1}}));

TEST(EditCommands, PasswordBoxesShowNoMenu) {
    EXPECT_FALSE(ShowsEditMenu(EditTextModel({.mode = Mode::kPassword})));
    EXPECT_TRUE(ShowsEditMenu(EditTextModel({.mode = Mode::kReadOnly})));
}

}  // namespace
}  // namespace ui

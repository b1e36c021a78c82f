// What a box shows for its model: password characters, columns, mouse positions and scrolling.
// Widths are 10 pixels per displayed byte.
#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "edit_notation.h"
#include "toolkit/controls/edit_display.h"

namespace ui {
namespace {

using test::ModelFrom;

int TenPerByte(std::string_view bytes) {
    return 10 * static_cast<int>(bytes.size());
}

using test::kPassword;

TEST(EditDisplay, PasswordBoxesShowOneCharacterPerCharacter) {
    const EditTextModel model = ModelFrom("中a|", kPassword);
    struct Case {
        std::string given, shown;
        int caretColumn;
    };
    for (const Case& c : {Case{"*", "**", 2}, Case{"●", "●●", 4}, Case{"", "**", 2},
                          Case{"#%", "##", 2}, Case{"\xB0", "**", 2}}) {
        const EditDisplay display(model, c.given);
        EXPECT_EQ(c.shown, display.Line(0)) << c.given;
        EXPECT_EQ(c.caretColumn, display.Column(model.Caret())) << c.given;
    }
    const EditTextModel plain = ModelFrom("中a|");
    EXPECT_EQ("中a", EditDisplay(plain, "*").Line(0));
}

TEST(EditDisplay, MousePositionsGoToTheNearestCharacterBoundary) {
    const EditTextModel model = ModelFrom("a中b|");
    const EditDisplay display(model, "*");
    const std::pair<int, int> xToColumn[] = {{-5, 0}, {4, 0},  {6, 1}, {19, 1},
                                             {21, 3}, {36, 4}, {99, 4}};
    for (const auto& [x, column] : xToColumn) {
        EXPECT_EQ((EditPosition{0, column}), display.PositionAtX(0, x, TenPerByte)) << x;
    }
    const EditTextModel secret = ModelFrom("中中|", kPassword);
    EXPECT_EQ((EditPosition{0, 2}), EditDisplay(secret, "*").PositionAtX(0, 11, TenPerByte));
}

struct ScrollCase {
    std::string before;
    bool multiLine;
    int offset;
    int expected;
};

void PrintTo(const ScrollCase& c, std::ostream* out) {
    *out << test::Escaped(c.before) << "@" << c.offset;
}

class Scroll : public testing::TestWithParam<ScrollCase> {};

TEST_P(Scroll, KeepsTheCaretInAFiftyPixelBox) {
    const ScrollCase& c = GetParam();
    const EditTextModel model = ModelFrom(c.before, {.multiLine = c.multiLine});
    EXPECT_EQ(c.expected, EditDisplay(model, "*").ScrollOffsetForCaret(TenPerByte, 50, c.offset));
}

INSTANTIATE_TEST_SUITE_P(EditDisplay, Scroll,
                         testing::Values(ScrollCase{"ab|", false, 0, 0},
                                         ScrollCase{"0123456789|", false, 0, 51},
                                         ScrollCase{"|0123456789", false, 51, 0},
                                         ScrollCase{"01234567|89", false, 20, 31},
                                         ScrollCase{"01234|", false, 51, 1},  // text got shorter
                                         ScrollCase{"01234|\r\n0123456789", true, 51, 50}));

TEST(EditDisplay, TheFirstLineShownKeepsTheCaretLineInViewAndNoRoomBelow) {
    struct Case {
        std::string before;
        int firstLine, expected;
    };
    for (const Case& c : {Case{"a\r\nb\r\nc\r\nd|", 0, 2}, Case{"|a\r\nb\r\nc\r\nd", 2, 0},
                          Case{"a\r\nb|\r\nc\r\nd", 1, 1}, Case{"a|\r\nb", 5, 0}}) {
        const EditTextModel model = ModelFrom(c.before, {.multiLine = true});
        EXPECT_EQ(c.expected, EditDisplay(model, "*").FirstLineForCaret(2, c.firstLine))
            << test::Escaped(c.before);
    }
}

}  // namespace
}  // namespace ui

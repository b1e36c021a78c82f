// Which typed characters each mode takes, and the form text from outside is brought into.
#include <gtest/gtest.h>

#include <string>

#include "edit_notation.h"
#include "toolkit/controls/edit_input_rules.h"

namespace ui {
namespace {

using Mode = EditInputMode;

struct TypedCase {
    Mode mode;
    std::string accepted;
    std::string refused;
    bool holdsDecimalPoint = false;
};

void PrintTo(const TypedCase& c, std::ostream* out) {
    *out << "mode" << static_cast<int>(c.mode) << (c.holdsDecimalPoint ? "WithPoint" : "");
}

class TypedCharacters : public testing::TestWithParam<TypedCase> {};

TEST_P(TypedCharacters, FollowTheModesRule) {
    const TypedCase& c = GetParam();
    for (const char ch : c.accepted)
        EXPECT_TRUE(AcceptsTypedCharacter(c.mode, ch, c.holdsDecimalPoint)) << ch;
    for (const char ch : c.refused)
        EXPECT_FALSE(AcceptsTypedCharacter(c.mode, ch, c.holdsDecimalPoint)) << int(ch);
}

INSTANTIATE_TEST_SUITE_P(EditInputRules, TypedCharacters,
                         testing::Values(TypedCase{Mode::kNormal, "\x1C aZ~", "\x1B\x7F\r\b\t"},
                                         TypedCase{Mode::kPassword, "a~", "\x1B\x7F"},
                                         TypedCase{Mode::kReadOnly, "a~", "\x1B\x7F"},
                                         TypedCase{Mode::kInteger, "0123456789-", "a.+ /"},
                                         TypedCase{Mode::kDecimal, "-./0189", "a+,:"},
                                         TypedCase{Mode::kDecimal, "-/09", ".", true}));

TEST(EditInputRules, NumberModesFilterTextAsIfTyped) {
    EXPECT_EQ("12-3", FilterForMode(Mode::kInteger, "1 2a-3.", false));
    EXPECT_EQ("1.53", FilterForMode(Mode::kDecimal, "1.5.3", false));
    EXPECT_EQ("153", FilterForMode(Mode::kDecimal, "1.5.3", true));
    EXPECT_EQ("a中\r\n", FilterForMode(Mode::kNormal, "a中\r\n", false));
}

struct NormalCase {
    std::string in;
    std::string multiLine;
    std::string singleLine;
};

void PrintTo(const NormalCase& c, std::ostream* out) {
    *out << test::Escaped(c.in);
}

class IncomingText : public testing::TestWithParam<NormalCase> {};

TEST_P(IncomingText, IsNormalised) {
    const NormalCase& c = GetParam();
    EXPECT_EQ(c.multiLine, NormalizeIncomingText(c.in, true));
    EXPECT_EQ(c.singleLine, NormalizeIncomingText(c.in, false));
}

INSTANTIATE_TEST_SUITE_P(EditInputRules, IncomingText,
                         testing::Values(NormalCase{"", "", ""},
                                         NormalCase{"C:\\路径\t~", "C:\\路径\t~", "C:\\路径\t~"},
                                         NormalCase{"a\r\nb\nc\rd", "a\r\nb\r\nc\r\nd", "a"},
                                         NormalCase{"\r\n\n\r", "\r\n\r\n\r\n", ""},
                                         NormalCase{std::string("ab\0cd", 5), "ab", "ab"},
                                         NormalCase{"ab\xB0", "ab", "ab"},  // lone lead at the end
                                         NormalCase{"a\xB0\r\nb\xB0"
                                                    "1",
                                                    "a\r\nb1",
                                                    "a"},  // lead before a break or a digit
                                         NormalCase{"\xB0\xB0\x81\x40\x80", "\xB0\xB0\x81\x40\x80",
                                                    "\xB0\xB0\x81\x40\x80"}));

TEST(EditInputRules, CutToLengthEndsOnACharacterBoundary) {
    EXPECT_EQ("ab", CutToLength("ab中", 3));
    EXPECT_EQ("ab中", CutToLength("ab中", 4));
    EXPECT_EQ("a", CutToLength("a\r\nb", 2));  // a line break is never halved
    EXPECT_EQ("a\r\n", CutToLength("a\r\nb", 3));
    EXPECT_EQ("", CutToLength("abc", 0));
    EXPECT_EQ("", CutToLength("abc", -5));
}

}  // namespace
}  // namespace ui

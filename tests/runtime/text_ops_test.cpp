// Slicing, joining, ordering and single characters of texts, with double-byte (GBK) cases.
#include <gtest/gtest.h>

#include "runtime/text_ops.h"

namespace rt {
namespace {

TEST(TextOps, LengthJoinAndCopyTreatEmptyAsNull) {
    EXPECT_EQ(0, TextLength(""));
    EXPECT_EQ(4, TextLength("中文"));  // two double-byte characters
    EXPECT_EQ("ab中", TextJoin({"a", "", "b", "中"}));
    EXPECT_EQ("", TextJoin({"", ""}));
    EXPECT_EQ("", TextCopy(""));
}

TEST(TextOps, OrderComparesUnsignedBytes) {
    EXPECT_EQ(0, TextOrder("abc", "abc"));
    EXPECT_LT(TextOrder("abc", "abd"), 0);
    EXPECT_LT(TextOrder("", "a"), 0);
    EXPECT_GT(TextOrder("\xB0", "z"), 0);  // a lead byte sorts after ASCII
}

TEST(TextOps, LeftRightAndMidCutAtTheEnds) {
    EXPECT_EQ("ab", TextLeft("abcd", 2));
    EXPECT_EQ("abcd", TextLeft("abcd", 10));
    EXPECT_EQ("", TextLeft("abcd", 0));
    EXPECT_EQ("cd", TextRight("abcd", 2));
    EXPECT_EQ("abcd", TextRight("abcd", 9));
    EXPECT_EQ("", TextRight("abcd", -1));
    EXPECT_EQ("bc", TextMid("abcd", 2, 2));
    EXPECT_EQ("cd", TextMid("abcd", 3, 100));
    EXPECT_EQ("d", TextMid("abcd", 4, 1));  // from the last character
    EXPECT_EQ("", TextMid("abcd", 0, 2));
    EXPECT_EQ("", TextMid("abcd", 5, 1));
    EXPECT_EQ("", TextMid("abcd", 1, 0));
}

TEST(TextOps, RepeatSpacesAndCharCodes) {
    EXPECT_EQ("ababab", TextRepeat(3, "ab"));
    EXPECT_EQ("", TextRepeat(0, "ab"));
    EXPECT_EQ("", TextRepeat(3, ""));
    EXPECT_EQ("   ", TextSpaces(3));
    EXPECT_EQ("", TextSpaces(-2));
    EXPECT_EQ("A", TextFromCharCode(0x141));  // only the low byte counts
    EXPECT_EQ("", TextFromCharCode(0x100));
}

TEST(TextOps, CharCodeAtIsASignedByte) {
    EXPECT_EQ(-80, CharCodeAt("\xB0\xA1"));
    EXPECT_EQ(-95, CharCodeAt("\xB0\xA1", 2));
    EXPECT_EQ('b', CharCodeAt("ab", 2));
    EXPECT_EQ(0, CharCodeAt("ab", 3));
    EXPECT_EQ(0, CharCodeAt("ab", 0));
    EXPECT_EQ(0, CharCodeAt(""));
}

TEST(TextOps, ToLowerLeavesDoubleByteCharactersAlone) {
    EXPECT_EQ("abc-xyz", TextToLower("AbC-XYZ"));
    // 0x81 0x41 is one character whose second byte looks like "A".
    EXPECT_EQ("a\x81\x41z", TextToLower("A\x81\x41Z"));
}

TEST(TextOps, CompareIgnoresAsciiCaseUnlessExact) {
    EXPECT_EQ(0, TextCompare("Setup.EXE", "setup.exe"));
    EXPECT_LT(TextCompare("abc", "ABD"), 0);
    EXPECT_LT(TextCompare("ab", "ABC"), 0);
    EXPECT_GT(TextCompare("abc", "AB"), 0);
    EXPECT_EQ(-1, TextCompare("Setup", "setup", true));  // "S" is below "s"
    EXPECT_EQ(1, TextCompare("b", "B", true));
    EXPECT_EQ(-1, TextCompare("a", "\xB0", true));
    EXPECT_EQ(0, TextCompare("same", "same", true));
}

}  // namespace
}  // namespace rt

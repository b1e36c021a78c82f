// Searching, replacing and splitting, stepping over double-byte characters.
#include <gtest/gtest.h>

#include "runtime/dbcs.h"
#include "runtime/program_identity.h"
#include "runtime/text_search.h"

namespace rt {
namespace {

std::vector<TextValue> Pieces(const TextArray& array) {
    return array.Items();
}

TEST(TextFind, FindsFromStartAndReportsOneBasedPositions) {
    EXPECT_EQ(3, TextFind("abcabc", "c"));
    EXPECT_EQ(6, TextFind("abcabc", "c", 4));
    EXPECT_EQ(1, TextFind("abc", "a", -5));  // start below 1 counts as 1
    EXPECT_EQ(-1, TextFind("abc", "d"));
    EXPECT_EQ(-1, TextFind("abc", ""));
    EXPECT_EQ(-1, TextFind("", "a"));
    EXPECT_EQ(-1, TextFind("ab", "abc"));
    EXPECT_EQ(-1, TextFind("abc", "c", 4));
}

TEST(TextFind, DoesNotMatchInsideADoubleByteCharacter) {
    // "\xB0\x41" is one character; its trail byte equals "A".
    EXPECT_EQ(3, TextFind("\xB0\x41\x41", "A"));
    EXPECT_EQ(-1, TextFind("\xB0\x41", "A"));
    EXPECT_EQ(3, TextFind("中文", "文"));
    // "中" is D6 D0, "文" is CE C4: "\xD0\xCE" spans two characters and must not match.
    EXPECT_EQ(-1, TextFind("中文", "\xD0\xCE"));
}

TEST(TextFind, IgnoringCaseFoldsAsciiLettersOnly) {
    EXPECT_EQ(5, TextFind("xxx.EXE", "exe", 1, true));
    EXPECT_EQ(-1, TextFind("xxx.EXE", "exe"));
    // The trail byte 0x41 ("A") must not match the "a" of the pattern's double-byte character.
    EXPECT_EQ(-1, TextFind("\xB0\x41", "\xB0\x61", 1, true));
}

TEST(TextFindLast, FindsTheLastMatchEndingBeforeStart) {
    EXPECT_EQ(7, TextFindLast("C:\\a\\b\\c.exe", "\\"));
    EXPECT_EQ(7, TextFindLast("C:\\a\\b\\c.exe", "\\", 7));
    EXPECT_EQ(5, TextFindLast("C:\\a\\b\\c.exe", "\\", 6));
    EXPECT_EQ(3, TextFindLast("C:\\a\\b\\c.exe", "\\", 4));
    EXPECT_EQ(4, TextFindLast("abcabc", "abc", 6));
    EXPECT_EQ(1, TextFindLast("abcabc", "abc", 5));
    EXPECT_EQ(-1, TextFindLast("abcabc", "abc", 2));
    EXPECT_EQ(4, TextFindLast("abcABC", "abc", std::nullopt, true));
    EXPECT_EQ(4, TextFindLast("abcabc", "abc", 0));  // a start of 0 is no start: anywhere
    EXPECT_EQ(-1, TextFindLast("", "a"));
    EXPECT_EQ(-1, TextFindLast("abc", ""));
}

TEST(TextReplaceAll, ReplacesFromStartUpToMaxCount) {
    EXPECT_EQ("x-y-z", TextReplaceAll("x,y,z", ",", "-"));
    EXPECT_EQ("xyz", TextReplaceAll("x,y,z", ","));
    EXPECT_EQ("x,y-z", TextReplaceAll("x,y,z", ",", "-", 3));
    EXPECT_EQ("x-y,z", TextReplaceAll("x,y,z", ",", "-", 1, 1));
    EXPECT_EQ("x,y-", TextReplaceAll("x,y,", ",", "-", 4));  // at the last possible match
    EXPECT_EQ("aXbX", TextReplaceAll("aAbA", "a", "X", 2));
}

TEST(TextReplaceAll, IgnoresCaseByDefault) {
    EXPECT_EQ("1-2-3", TextReplaceAll("1a2A3", "a", "-"));
    EXPECT_EQ("1-2A3", TextReplaceAll("1a2A3", "a", "-", 1, std::nullopt, true));
}

TEST(TextReplaceAll, DegenerateArgumentsGiveACopy) {
    EXPECT_EQ("abc", TextReplaceAll("abc", "", "x"));
    EXPECT_EQ("abc", TextReplaceAll("abc", "abcd", "x"));
    EXPECT_EQ("abc", TextReplaceAll("abc", "b", "x", 0));
    EXPECT_EQ("abc", TextReplaceAll("abc", "b", "x", 3));  // beyond the last possible match
    EXPECT_EQ("abc", TextReplaceAll("abc", "b", "x", 1, 0));
    EXPECT_EQ("", TextReplaceAll("", "b", "x"));
}

TEST(TextReplaceAll, StepsOverDoubleByteCharacters) {
    EXPECT_EQ("\xB0\x41-", TextReplaceAll("\xB0\x41\x41", "A", "-"));
    EXPECT_EQ("a/b", TextReplaceAll("a／b", "／", "/"));
}

TEST(TextSplit, KeepsEmptyPiecesButNoTrailingEmptyOne) {
    EXPECT_EQ((std::vector<TextValue>{"a", "", "b"}), Pieces(TextSplit("a,,b,")));
    EXPECT_EQ((std::vector<TextValue>{"a"}), Pieces(TextSplit("a,,b,", ",", 1)));
    EXPECT_EQ((std::vector<TextValue>{"C:", "Program Files", "App"}),
              Pieces(TextSplit("C:\\Program Files\\App", "\\")));
    EXPECT_EQ((std::vector<TextValue>{"", "x"}), Pieces(TextSplit(",x")));
}

TEST(TextSplit, LimitsAndDegenerateInputs) {
    EXPECT_TRUE(TextSplit("a,b", ",", 0).Empty());
    EXPECT_TRUE(TextSplit("").Empty());
    EXPECT_EQ((std::vector<TextValue>{"a,b"}), Pieces(TextSplit("a,b", "")));
    EXPECT_EQ((std::vector<TextValue>{"a", "b"}), Pieces(TextSplit("a,b", ",", -1)));
    EXPECT_EQ((std::vector<TextValue>{"a", "b"}), Pieces(TextSplit("a::b", "::")));
}

TEST(TextSplit, DoesNotSplitInsideADoubleByteCharacter) {
    // 0x81 0x2C would be "," if it were not the trail byte of a character.
    EXPECT_EQ((std::vector<TextValue>{"\x81\x2C"
                                      "a",
                                      "b"}),
              Pieces(TextSplit("\x81\x2C"
                               "a,b")));
}

TEST(TextSplit, ResultHasCheckedOneBasedAccess) {
    const TextArray parts = TextSplit("x,y");
    EXPECT_EQ(2, parts.Count());
    EXPECT_EQ("x", parts.At(1));
    EXPECT_EQ("y", parts.At(2));
}

// 籠 is BB 5C and 淺 is 9C 5C: their trail byte is never a path separator.
TEST(PathSeparators, TheLastOneIsACharacterNeverATrailByte) {
    EXPECT_EQ("籠.exe", FileNameOfPath("C:\\dir\\籠.exe"));
    EXPECT_EQ("C:\\dir", DirectoryOfPath("C:\\dir\\淺"));
    EXPECT_EQ("C:\\籠", DirectoryOfPath("C:\\籠\\setup.exe"));
    EXPECT_EQ("x", FileNameOfPath("/tmp/x", '/'));
    EXPECT_TRUE(EndsWithChar("C:\\x\\", '\\'));
    EXPECT_FALSE(EndsWithChar("C:\\x\\籠", '\\'));
    EXPECT_FALSE(EndsWithChar("", '\\'));
}

}  // namespace
}  // namespace rt

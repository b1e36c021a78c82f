// Entry names are GBK: 籠 is BB 5C and 淺 is 9C 5C, so their second byte looks like "\".
#include <gtest/gtest.h>

#include "installer/archive_paths.h"

namespace inst {
namespace {

TEST(ArchivePaths, SeparatorsAreFoundCharacterByCharacter) {
    ASSERT_EQ(std::string("籠"), "\xBB\x5C");
    EXPECT_EQ(FindLastSeparator("a\\b\\c"), 3u);
    EXPECT_EQ(FindLastSeparator("a/b"), 1u);
    EXPECT_EQ(FindLastSeparator("籠.txt"), std::string_view::npos);
    EXPECT_EQ(FindLastSeparator("dir\\籠"), 3u);
    EXPECT_EQ(FindLastSeparator("淺籠"), std::string_view::npos);
    EXPECT_EQ(FindLastSeparator(""), std::string_view::npos);

    const std::vector<std::string> expected = {"C:", "淺", "籠", "", "x.txt"};
    EXPECT_EQ(SplitAtSeparators("C:\\淺\\籠\\/x.txt"), expected);
    EXPECT_EQ(SplitAtSeparators("籠"), std::vector<std::string>{"籠"});
    EXPECT_EQ(WithBackslashes("a/籠/b"), "a\\籠\\b");
}

TEST(ArchivePaths, TargetGetsOneTrailingBackslash) {
    EXPECT_EQ(WithTrailingBackslash("C:\\t"), "C:\\t\\");
    EXPECT_EQ(WithTrailingBackslash("C:\\t\\"), "C:\\t\\");
    EXPECT_EQ(WithTrailingBackslash("C:/t/"), "C:/t/");
    // The last byte is 0x5C, but it belongs to 籠: the folder name must not run into the file.
    EXPECT_EQ(WithTrailingBackslash("C:\\籠"), "C:\\籠\\");
    EXPECT_EQ(WithTrailingBackslash(""), "\\");
}

TEST(ArchivePaths, NamesInsideTheTargetAreAccepted) {
    for (const char* name : {"a.txt", "sub\\dir\\a.txt", "sub/dir/a.txt", "籠.txt", "淺\\籠.txt",
                             "a..b.txt", ".config", "..hidden", "console.log", "com10", "lpt"})
        EXPECT_TRUE(IsContainedEntryName(name)) << name;
}

TEST(ArchivePaths, NamesThatLeaveTheTargetAreRefused) {
    for (const char* name : {"",
                             "\\a.txt",
                             "/a.txt",
                             "\\\\server\\share\\a.txt",
                             "C:\\a.txt",
                             "C:a.txt",
                             "c:/a",
                             "..",
                             "..\\a.txt",
                             "../a.txt",
                             "sub\\..\\..\\a.txt",
                             "sub/../../a.txt",
                             "sub\\..",
                             "...\\a.txt",
                             ".. \\a.txt",
                             ". .\\a.txt",
                             ".",
                             "a\\.\\b",
                             "a.txt:stream",
                             "CON",
                             "nul.txt",
                             "Aux",
                             "com1",
                             "sub\\LPT9.log",
                             "prn .txt"})
        EXPECT_FALSE(IsContainedEntryName(name)) << name;
}

}  // namespace
}  // namespace inst

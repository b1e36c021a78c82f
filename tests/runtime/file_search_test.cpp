#include <set>

#include "runtime/files.h"
#include "tests/runtime/scratch_dir.h"

namespace {

using rt::ByteSet;

class FileSearchTest : public ScratchDirTest {
  protected:
    void SetUp() override {
        ScratchDirTest::SetUp();
        ASSERT_EQ(rt::MakeDirectory(Path("d")), 1);
        ASSERT_EQ(rt::MakeDirectory(Path("d\\sub")), 1);
        ASSERT_EQ(rt::WriteWholeFile(Path("d\\one.txt"), ByteSet{1}), 1);
        ASSERT_EQ(rt::WriteWholeFile(Path("d\\two.TXT"), ByteSet{2}), 1);
        ASSERT_EQ(rt::WriteWholeFile(Path("d\\three.bin"), ByteSet{3}), 1);
    }

    // Every name the search yields: the first call with the pattern, then empty patterns.
    std::multiset<std::string> AllMatches(const std::string& pattern, int mask, bool filesOnly) {
        rt::FileSearchHandle handle;
        std::multiset<std::string> names;
        for (std::string name = rt::FindFileEntry(pattern, mask, filesOnly, handle); !name.empty();
             name = rt::FindFileEntry("", mask, filesOnly, handle))
            names.insert(name);
        return names;
    }
};

TEST_F(FileSearchTest, FilesOnlySkipsDirectoriesAndDots) {
    EXPECT_EQ(AllMatches(Path("d\\*"), 0, true),
              (std::multiset<std::string>{"one.txt", "two.TXT", "three.bin"}));
}

TEST_F(FileSearchTest, DirectoryMaskYieldsDotsAsOrdinaryEntries) {
    EXPECT_EQ(AllMatches(Path("d\\*"), rt::kAttrDirectory, false),
              (std::multiset<std::string>{".", "..", "sub"}));
}

TEST_F(FileSearchTest, WildcardsMatchAnyCaseAndStarDotStarMatchesAll) {
    EXPECT_EQ(AllMatches(Path("d\\*.txt"), 0, true),
              (std::multiset<std::string>{"one.txt", "two.TXT"}));
    EXPECT_EQ(AllMatches(Path("d\\t??.*"), 0, true), (std::multiset<std::string>{"two.TXT"}));
    EXPECT_EQ(AllMatches(Path("d\\*.*"), rt::kAttrDirectory | rt::kAttrArchive, false).size(), 6u);
    EXPECT_EQ(AllMatches(Path("d\\ONE.TXT"), 0, true), (std::multiset<std::string>{"one.txt"}));
}

TEST_F(FileSearchTest, FailedSearchGivesNullAndEmptyPatternNeedsAnOpenSearch) {
    rt::FileSearchHandle handle;
    EXPECT_EQ(rt::FindFileEntry(Path("missing\\*"), 0, true, handle), "");
    EXPECT_FALSE(handle.IsOpen());
    EXPECT_EQ(rt::FindFileEntry("", 0, true, handle), "");
    EXPECT_EQ(rt::FindFileEntry(Path("d\\*.none"), 0, true, handle), "");
    EXPECT_EQ(rt::CloseFileSearch(handle), 0);
}

TEST_F(FileSearchTest, NewPatternRestartsAndCloseEndsTheSearch) {
    rt::FileSearchHandle handle;
    EXPECT_EQ(rt::FindFileEntry(Path("d\\*.bin"), 0, true, handle), "three.bin");
    EXPECT_EQ(rt::FindFileEntry("", 0, true, handle), "");
    EXPECT_TRUE(handle.IsOpen());  // an exhausted search stays open until it is closed
    EXPECT_EQ(rt::FindFileEntry(Path("d\\*.bin"), 0, true, handle), "three.bin");
    EXPECT_NE(rt::CloseFileSearch(handle), 0);
    EXPECT_FALSE(handle.IsOpen());
    EXPECT_EQ(rt::FindFileEntry("", 0, true, handle), "");
    EXPECT_EQ(rt::CloseFileSearch(handle), 0);
}

TEST_F(FileSearchTest, ReadOnlyFileCarriesItsAttributeBit) {
    ASSERT_NE(rt::SetFileAttrs(Path("d\\one.txt"), rt::kAttrReadOnly), 0);
    EXPECT_EQ(AllMatches(Path("d\\*"), rt::kAttrReadOnly, false),
              (std::multiset<std::string>{"one.txt"}));
}

}  // namespace

#include <set>

#include "runtime/files.h"
#include "tests/runtime/scratch.h"

namespace {

using rt::ByteSet;
using Names = std::multiset<std::string>;

class FileSearchTest : public ScratchFolderTest {
  protected:
    void SetUp() override {
        ScratchFolderTest::SetUp();
        ASSERT_NE(rt::MakeDirectory(Path("d")), 0);
        ASSERT_NE(rt::MakeDirectory(Path("d\\sub")), 0);
        for (const char* file : {"d\\one.txt", "d\\two.txt", "d\\three.bin"})
            ASSERT_EQ(rt::WriteWholeFile(Path(file), ByteSet{1}), 1);
    }

    Names AllMatches(const std::string& pattern, int mask, bool filesOnly) {
        rt::FileSearchHandle handle;
        Names names;
        for (std::string name = rt::FindFileEntry(pattern, mask, filesOnly, handle); !name.empty();
             name = rt::FindFileEntry("", mask, filesOnly, handle))
            names.insert(name);
        EXPECT_NE(rt::CloseFileSearch(handle), 0);
        return names;
    }
};

TEST_F(FileSearchTest, FilesOnlyLeavesOutFolders) {
    EXPECT_EQ(AllMatches(Path("d\\*"), 0, true), (Names{"one.txt", "two.txt", "three.bin"}));
    EXPECT_EQ(AllMatches(Path("d\\*.txt"), FILE_ATTRIBUTE_DIRECTORY, true),
              (Names{"one.txt", "two.txt"}));
}

TEST_F(FileSearchTest, MaskSelectsByAttributeWithDotsAsOrdinaryEntries) {
    EXPECT_EQ(AllMatches(Path("d\\*"), FILE_ATTRIBUTE_DIRECTORY, false), (Names{".", "..", "sub"}));
    ASSERT_NE(rt::SetFileAttrs(Path("d\\two.txt"), FILE_ATTRIBUTE_READONLY), 0);
    EXPECT_EQ(AllMatches(Path("d\\*"), FILE_ATTRIBUTE_READONLY, false), (Names{"two.txt"}));
}

TEST_F(FileSearchTest, NoMatchOrMissingFolderGivesNull) {
    rt::FileSearchHandle handle;
    EXPECT_EQ(rt::FindFileEntry(Path("missing\\*"), 0, true, handle), "");
    EXPECT_FALSE(handle.IsOpen());
    EXPECT_EQ(rt::FindFileEntry("", 0, true, handle), "");
    EXPECT_EQ(rt::CloseFileSearch(handle), 0);
    // Only folders match, but files are asked for: the search opens and runs dry.
    EXPECT_EQ(rt::FindFileEntry(Path("d\\su*"), 0, true, handle), "");
}

TEST_F(FileSearchTest, NewPatternClosesThePreviousSearch) {
    rt::FileSearchHandle handle;
    EXPECT_EQ(rt::FindFileEntry(Path("d\\*.bin"), 0, true, handle), "three.bin");
    EXPECT_EQ(rt::FindFileEntry("", 0, true, handle), "");
    EXPECT_EQ(rt::FindFileEntry(Path("d\\*.bin"), 0, true, handle), "three.bin");
    EXPECT_NE(rt::CloseFileSearch(handle), 0);
    EXPECT_EQ(rt::FindFileEntry("", 0, true, handle), "");
    // A closed search no longer holds the folder: it can be removed.
    EXPECT_NE(rt::DeleteTree(Path("d")), 0);
}

}  // namespace

#include <unistd.h>

#include "runtime/files.h"
#include "tests/files_native/scratch_dir.h"

namespace {

using rt::ByteSet;

class DeleteTreeTest : public ScratchDirTest {};

TEST_F(DeleteTreeTest, RefusesEmptyPathAndBackslashAndMissingDirectory) {
    EXPECT_EQ(rt::DeleteTree(""), 0);
    EXPECT_EQ(rt::DeleteTree("\\"), 0);
    EXPECT_EQ(rt::DeleteTree("/"), 0);
    EXPECT_EQ(rt::DeleteTree(Path("missing")), 0);
}

TEST_F(DeleteTreeTest, RemovesEmptyDirectoryAndWholeTree) {
    ASSERT_EQ(rt::MakeDirectory(Path("empty")), 1);
    EXPECT_NE(rt::DeleteTree(Path("empty")), 0);
    EXPECT_FALSE(Exists("empty"));

    ASSERT_EQ(rt::MakeDirectory(Path("t")), 1);
    ASSERT_EQ(rt::MakeDirectory(Path("t\\sub")), 1);
    ASSERT_EQ(rt::MakeDirectory(Path("t\\sub\\deeper")), 1);
    ASSERT_EQ(rt::WriteWholeFile(Path("t\\a"), ByteSet{1}), 1);
    ASSERT_EQ(rt::WriteWholeFile(Path("t\\sub\\deeper\\b"), ByteSet{}), 1);
    EXPECT_NE(rt::DeleteTree(Path("t\\")), 0);  // a trailing separator is accepted too
    EXPECT_FALSE(Exists("t"));
}

TEST_F(DeleteTreeTest, ReadOnlyFileStopsTheWalkAndKeepsItsAncestors) {
    ASSERT_EQ(rt::MakeDirectory(Path("t")), 1);
    ASSERT_EQ(rt::MakeDirectory(Path("t\\sub")), 1);
    ASSERT_EQ(rt::WriteWholeFile(Path("t\\sub\\locked"), ByteSet{1}), 1);
    ASSERT_NE(rt::SetFileAttrs(Path("t\\sub\\locked"), rt::kAttrReadOnly), 0);
    EXPECT_EQ(rt::DeleteTree(Path("t")), 0);
    EXPECT_TRUE(Exists("t\\sub\\locked"));
    EXPECT_TRUE(Exists("t\\sub"));
    EXPECT_TRUE(Exists("t"));
}

TEST_F(DeleteTreeTest, FileIsNotATree) {
    ASSERT_EQ(rt::WriteWholeFile(Path("f"), ByteSet{1}), 1);
    EXPECT_EQ(rt::DeleteTree(Path("f")), 0);
    EXPECT_TRUE(Exists("f"));
}

TEST_F(DeleteTreeTest, LinkedDirectoryIsUnlinkedNotEmptied) {
    ASSERT_EQ(rt::MakeDirectory(Path("outside")), 1);
    ASSERT_EQ(rt::WriteWholeFile(Path("outside\\keep"), ByteSet{1}), 1);
    ASSERT_EQ(rt::MakeDirectory(Path("t")), 1);
    ASSERT_EQ(symlink(NativePath("outside").c_str(), NativePath("t/link").c_str()), 0);
    EXPECT_NE(rt::DeleteTree(Path("t")), 0);
    EXPECT_FALSE(Exists("t"));
    EXPECT_TRUE(Exists("outside\\keep"));
}

}  // namespace

#include "runtime/files.h"

#include "tests/runtime/scratch_dir.h"

namespace {

using rt::ByteSet;

class FileOpsTest : public ScratchDirTest {};

TEST_F(FileOpsTest, ReadWholeFileTellsEmptyFromMissing) {
    ASSERT_EQ(rt::WriteWholeFile(Path("empty.bin"), ByteSet{}), 1);
    const rt::OptionalBytes empty = rt::ReadWholeFile(Path("empty.bin"));
    ASSERT_TRUE(empty.has_value());
    EXPECT_EQ(empty->size(), 0u);
    EXPECT_FALSE(rt::ReadWholeFile(Path("missing.bin")).has_value());
    ASSERT_EQ(rt::MakeDirectory(Path("folder")), 1);
    EXPECT_FALSE(rt::ReadWholeFile(Path("folder")).has_value());
}

TEST_F(FileOpsTest, WriteWholeFileWritesPartsInOrderAndTruncates) {
    const ByteSet first{1, 2, 3}, none{}, second{0, 255};
    ASSERT_EQ(
        rt::WriteWholeFile(Path("a.bin"), {std::cref(first), std::cref(none), std::cref(second)}),
        1);
    EXPECT_EQ(rt::ReadWholeFile(Path("a.bin")), (ByteSet{1, 2, 3, 0, 255}));
    ASSERT_EQ(rt::WriteWholeFile(Path("a.bin"), ByteSet{9}), 1);
    EXPECT_EQ(rt::ReadWholeFile(Path("a.bin")), ByteSet{9});
}

TEST_F(FileOpsTest, WriteWholeFileFailsWhereWindowsRefuses) {
    EXPECT_EQ(rt::WriteWholeFile(Path("no-such-dir\\a.bin"), ByteSet{1}), 0);
    ASSERT_EQ(rt::MakeDirectory(Path("folder")), 1);
    EXPECT_EQ(rt::WriteWholeFile(Path("folder"), ByteSet{1}), 0);
    ASSERT_EQ(rt::WriteWholeFile(Path("locked.bin"), ByteSet{1}), 1);
    ASSERT_NE(rt::SetFileAttrs(Path("locked.bin"), rt::kAttrReadOnly), 0);
    EXPECT_EQ(rt::WriteWholeFile(Path("locked.bin"), ByteSet{2}), 0);
    EXPECT_EQ(rt::ReadWholeFile(Path("locked.bin")), ByteSet{1});
}

TEST_F(FileOpsTest, MakeDirectoryCreatesOneLevelOnly) {
    EXPECT_EQ(rt::MakeDirectory(Path("a\\b")), 0);
    EXPECT_EQ(rt::MakeDirectory(Path("a")), 1);
    EXPECT_EQ(rt::MakeDirectory(Path("a")), 0);  // exists already
    EXPECT_EQ(rt::MakeDirectory(Path("a\\b")), 1);
    EXPECT_TRUE(rt::IsExistingDirectory(Path("a\\b")));
}

TEST_F(FileOpsTest, TrailByte5CIsNoSeparator) {
    // 籠 is BB 5C in code page 936: one folder named by both bytes, not "\xBB" and a subfolder.
    ASSERT_EQ(rt::MakeDirectory(Path("籠")), 1);
    ASSERT_EQ(rt::WriteWholeFile(Path("籠\\f.txt"), ByteSet{7}), 1);
    EXPECT_TRUE(std::filesystem::is_regular_file(Root() + "/\xBB\x5C/f.txt"));
    EXPECT_FALSE(std::filesystem::exists(Root() + "/\xBB"));
}

TEST_F(FileOpsTest, IsExistingDirectoryOnlyForDirectories) {
    ASSERT_EQ(rt::WriteWholeFile(Path("file"), ByteSet{1}), 1);
    EXPECT_FALSE(rt::IsExistingDirectory(Path("file")));
    EXPECT_FALSE(rt::IsExistingDirectory(Path("missing")));
    EXPECT_TRUE(rt::IsExistingDirectory(Root()));
    EXPECT_FALSE(rt::IsExistingDirectory(""));
}

TEST_F(FileOpsTest, DeleteOneFileRespectsReadOnlyAndRefusesDirectories) {
    ASSERT_EQ(rt::WriteWholeFile(Path("f"), ByteSet{1}), 1);
    ASSERT_NE(rt::SetFileAttrs(Path("f"), rt::kAttrReadOnly), 0);
    EXPECT_EQ(rt::DeleteOneFile(Path("f")), 0);
    EXPECT_TRUE(Exists("f"));
    ASSERT_NE(rt::SetFileAttrs(Path("f"), 0), 0);
    EXPECT_NE(rt::DeleteOneFile(Path("f")), 0);
    EXPECT_FALSE(Exists("f"));
    EXPECT_EQ(rt::DeleteOneFile(Path("f")), 0);
    ASSERT_EQ(rt::MakeDirectory(Path("d")), 1);
    EXPECT_EQ(rt::DeleteOneFile(Path("d")), 0);
    EXPECT_EQ(rt::SetFileAttrs(Path("missing"), 0), 0);
}

TEST_F(FileOpsTest, CopyOneFileOverwritesButNotReadOnly) {
    ASSERT_EQ(rt::WriteWholeFile(Path("src"), ByteSet{1, 2, 3}), 1);
    ASSERT_EQ(rt::WriteWholeFile(Path("dst"), ByteSet{7, 7, 7, 7, 7}), 1);
    EXPECT_NE(rt::CopyOneFile(Path("src"), Path("dst")), 0);
    EXPECT_EQ(rt::ReadWholeFile(Path("dst")), (ByteSet{1, 2, 3}));
    EXPECT_EQ(rt::CopyOneFile(Path("missing"), Path("dst2")), 0);
    EXPECT_FALSE(Exists("dst2"));
    ASSERT_NE(rt::SetFileAttrs(Path("dst"), rt::kAttrReadOnly), 0);
    EXPECT_EQ(rt::CopyOneFile(Path("src"), Path("dst")), 0);
}

}  // namespace

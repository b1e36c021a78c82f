#include "runtime/files.h"

#include "tests/runtime/folder_link.h"
#include "tests/runtime/scratch.h"

namespace {

using rt::ByteSet;

class FileOpsTest : public ScratchFolderTest {};

TEST_F(FileOpsTest, EmptyFileReadsAsEmptySetAndMissingAsNull) {
    HANDLE file = CreateFileA(Path("empty").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    CloseHandle(file);
    const rt::OptionalBytes empty = rt::ReadWholeFile(Path("empty"));
    ASSERT_TRUE(empty.has_value());
    EXPECT_EQ(empty->size(), 0u);
    EXPECT_FALSE(rt::ReadWholeFile(Path("missing")).has_value());
    EXPECT_FALSE(rt::ReadWholeFile(Folder()).has_value());
}

TEST_F(FileOpsTest, WholeFileWritesPartsInOrderAndReplacesOldContents) {
    ByteSet big(70000);
    for (std::size_t i = 0; i < big.size(); ++i)
        big[i] = static_cast<std::uint8_t>(i * 7);
    const ByteSet head{'V', 'S'}, none{};
    ASSERT_EQ(rt::WriteWholeFile(Path("f"), {std::cref(head), std::cref(none), std::cref(big)}), 1);
    ByteSet expected = head;
    expected.insert(expected.end(), big.begin(), big.end());
    EXPECT_EQ(rt::ReadWholeFile(Path("f")), expected);
    ASSERT_EQ(rt::WriteWholeFile(Path("f"), ByteSet{1}), 1);
    EXPECT_EQ(rt::ReadWholeFile(Path("f")), ByteSet{1});
    EXPECT_EQ(GetFileAttributesA(Path("f").c_str()) & FILE_ATTRIBUTE_ARCHIVE,
              static_cast<DWORD>(FILE_ATTRIBUTE_ARCHIVE));
}

// (Replacing a read-only file is not checked here: Wine run as root lets it through.)
TEST_F(FileOpsTest, WholeFileWriteFailsForMissingFolderOrFolderPath) {
    EXPECT_EQ(rt::WriteWholeFile(Path("none\\f"), ByteSet{1}), 0);
    EXPECT_FALSE(Exists("none"));
    ASSERT_NE(rt::MakeDirectory(Path("folder")), 0);
    EXPECT_EQ(rt::WriteWholeFile(Path("folder"), ByteSet{1}), 0);
    EXPECT_TRUE(rt::IsExistingDirectory(Path("folder")));
}

TEST_F(FileOpsTest, MakeDirectoryOneLevelAndDirectoryTest) {
    EXPECT_EQ(rt::MakeDirectory(Path("a\\b")), 0);
    EXPECT_NE(rt::MakeDirectory(Path("a")), 0);
    EXPECT_EQ(rt::MakeDirectory(Path("a")), 0);
    EXPECT_NE(rt::MakeDirectory(Path("a\\b")), 0);
    EXPECT_TRUE(rt::IsExistingDirectory(Path("a\\b")));
    ASSERT_EQ(rt::WriteWholeFile(Path("file"), ByteSet{1}), 1);
    EXPECT_FALSE(rt::IsExistingDirectory(Path("file")));
    EXPECT_FALSE(rt::IsExistingDirectory(Path("missing")));
}

TEST_F(FileOpsTest, DeleteOneFileNeedsTheReadOnlyBitCleared) {
    ASSERT_EQ(rt::WriteWholeFile(Path("f"), ByteSet{1}), 1);
    ASSERT_NE(rt::SetFileAttrs(Path("f"), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN), 0);
    EXPECT_EQ(rt::DeleteOneFile(Path("f")), 0);
    ASSERT_NE(rt::SetFileAttrs(Path("f"), 0), 0);
    EXPECT_NE(rt::DeleteOneFile(Path("f")), 0);
    EXPECT_FALSE(Exists("f"));
    EXPECT_EQ(rt::DeleteOneFile(Path("f")), 0);
    EXPECT_EQ(rt::SetFileAttrs(Path("f"), 0), 0);
}

TEST_F(FileOpsTest, CopyOneFileOverwritesTheDestination) {
    ASSERT_EQ(rt::WriteWholeFile(Path("src"), ByteSet{1, 2, 3}), 1);
    ASSERT_EQ(rt::WriteWholeFile(Path("dst"), ByteSet{9, 9, 9, 9, 9, 9}), 1);
    EXPECT_NE(rt::CopyOneFile(Path("src"), Path("dst")), 0);
    EXPECT_EQ(rt::ReadWholeFile(Path("dst")), (ByteSet{1, 2, 3}));
    EXPECT_NE(rt::CopyOneFile(Path("src"), Path("new")), 0);
    EXPECT_EQ(rt::ReadWholeFile(Path("new")), (ByteSet{1, 2, 3}));
    EXPECT_EQ(rt::CopyOneFile(Path("missing"), Path("other")), 0);
    EXPECT_FALSE(Exists("other"));
}

class DeleteTreeTest : public ScratchFolderTest {};

TEST_F(DeleteTreeTest, RefusesBackslashEmptyAndMissing) {
    EXPECT_EQ(rt::DeleteTree("\\"), 0);
    EXPECT_EQ(rt::DeleteTree(""), 0);
    EXPECT_EQ(rt::DeleteTree(Path("missing")), 0);
    ASSERT_EQ(rt::WriteWholeFile(Path("file"), ByteSet{1}), 1);
    EXPECT_EQ(rt::DeleteTree(Path("file")), 0);
    EXPECT_TRUE(Exists("file"));
}

TEST_F(DeleteTreeTest, RemovesEmptyFolderAndNestedTree) {
    ASSERT_NE(rt::MakeDirectory(Path("empty")), 0);
    EXPECT_NE(rt::DeleteTree(Path("empty")), 0);
    EXPECT_FALSE(Exists("empty"));

    for (const char* folder : {"t", "t\\a", "t\\a\\b", "t\\c"})
        ASSERT_NE(rt::MakeDirectory(Path(folder)), 0);
    for (const char* file : {"t\\1", "t\\a\\2", "t\\a\\b\\3", "t\\c\\4"})
        ASSERT_EQ(rt::WriteWholeFile(Path(file), ByteSet{1}), 1);
    EXPECT_NE(rt::DeleteTree(Path("t\\")), 0);
    EXPECT_FALSE(Exists("t"));

    // 籠 is BB 5C and 淺 is 9C 5C: the folder's last byte is no separator.
    for (const char* folder : {"籠", "籠\\淺", "籠\\淺\\籠"})
        ASSERT_NE(rt::MakeDirectory(Path(folder)), 0) << folder;
    ASSERT_EQ(rt::WriteWholeFile(Path("籠\\淺\\籠\\x.txt"), ByteSet{1}), 1);
    ASSERT_NE(rt::MakeDirectory(Path("籠 sibling")), 0);
    EXPECT_NE(rt::DeleteTree(Path("籠")), 0);
    EXPECT_FALSE(Exists("籠"));
    EXPECT_TRUE(Exists("籠 sibling")) << "a folder next to it is not part of the tree";
}

TEST_F(DeleteTreeTest, ReadOnlyFileStopsTheWalkAndKeepsItsAncestors) {
    for (const char* folder : {"t", "t\\a", "t\\a\\b"})
        ASSERT_NE(rt::MakeDirectory(Path(folder)), 0);
    ASSERT_EQ(rt::WriteWholeFile(Path("t\\a\\b\\locked"), ByteSet{1}), 1);
    ASSERT_NE(rt::SetFileAttrs(Path("t\\a\\b\\locked"), FILE_ATTRIBUTE_READONLY), 0);
    EXPECT_EQ(rt::DeleteTree(Path("t")), 0);
    EXPECT_TRUE(Exists("t\\a\\b\\locked"));
    EXPECT_TRUE(Exists("t\\a\\b"));
    EXPECT_TRUE(Exists("t\\a"));
    EXPECT_TRUE(Exists("t"));
}

}  // namespace

namespace {

class LinkedFolderTest : public ScratchFolderTest {};

// A linked folder inside the tree, or the given folder itself, is removed as a link and what it
// leads to stays. Wine cannot remove a link whose folder holds files: the walk then stops there
// and says so.
TEST_F(LinkedFolderTest, DeleteTreeNeverGoesThroughALink) {
    ASSERT_NE(rt::MakeDirectory(Path("outside")), 0);
    ASSERT_EQ(rt::WriteWholeFile(Path("outside\\keep"), ByteSet{1}), 1);
    ASSERT_NE(rt::MakeDirectory(Path("t")), 0);
    if (!folder_link::MakeFolderLink(Path("t\\link"), Path("outside")))
        GTEST_SKIP() << "this system can make no folder link";
    EXPECT_TRUE(rt::IsLink(Path("t\\link")));
    EXPECT_TRUE(rt::IsLink(Path("t\\link\\")));
    EXPECT_FALSE(rt::IsLink(Path("t")));
    EXPECT_EQ(rt::DeleteTree(Path("t")) != 0, !Exists("t"));
    EXPECT_TRUE(Exists("outside\\keep"));

    ASSERT_TRUE(folder_link::MakeFolderLink(Path("given"), Path("outside")));
    EXPECT_EQ(rt::DeleteTree(Path("given\\")) != 0, !Exists("given"));
    EXPECT_TRUE(Exists("outside\\keep"));
}

}  // namespace

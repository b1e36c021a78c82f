#include <dirent.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "runtime/files.h"
#include "tests/runtime/scratch_dir.h"

namespace {

using rt::ByteSet;

class DeleteTreeTest : public ScratchDirTest {
  protected:
    // The entries of a folder in the order the system lists them, which the walk follows.
    std::vector<std::string> DirectoryOrder(const std::string& relative) const {
        std::vector<std::string> names;
        DIR* directory = opendir(NativePath(relative).c_str());
        while (dirent* entry = directory ? readdir(directory) : nullptr) {
            const std::string name = entry->d_name;
            if (name != "." && name != "..") names.push_back(name);
        }
        if (directory) closedir(directory);
        return names;
    }
};

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

// 籠 is BB 5C and 淺 is 9C 5C: a folder named with them ends in a byte that looks like "\".
TEST_F(DeleteTreeTest, FoldersWhoseLastByteIs5C) {
    struct Case {
        const char* given;
        const char* inner;
    };
    for (const Case& c : {Case{"籠", "籠\\淺"}, Case{"淺\\", "淺\\籠"}}) {
        ASSERT_EQ(rt::MakeDirectory(Path(c.given)), 1) << c.given;
        ASSERT_EQ(rt::MakeDirectory(Path(c.inner)), 1) << c.inner;
        ASSERT_EQ(rt::WriteWholeFile(Path(std::string(c.inner) + "\\x.txt"), ByteSet{1}), 1);
        EXPECT_NE(rt::DeleteTree(Path(c.given)), 0) << c.given;
        EXPECT_FALSE(Exists(c.inner)) << c.inner;
        EXPECT_FALSE(Exists(c.given)) << c.given;
    }
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

    // The walk stops at the locked file: the entries it would have come to next stay too.
    ASSERT_EQ(rt::MakeDirectory(Path("w")), 1);
    for (const char* name : {"a", "b", "c", "d", "e", "f"})
        ASSERT_EQ(rt::WriteWholeFile(Path(std::string("w\\") + name), ByteSet{1}), 1);
    const std::vector<std::string> walkOrder = DirectoryOrder("w");
    ASSERT_NE(rt::SetFileAttrs(Path("w\\" + walkOrder.front()), rt::kAttrReadOnly), 0);
    EXPECT_EQ(rt::DeleteTree(Path("w")), 0);
    for (const std::string& name : walkOrder)
        EXPECT_TRUE(Exists("w\\" + name)) << name;
}

TEST_F(DeleteTreeTest, FileIsNotATree) {
    ASSERT_EQ(rt::WriteWholeFile(Path("f"), ByteSet{1}), 1);
    EXPECT_EQ(rt::DeleteTree(Path("f")), 0);
    EXPECT_TRUE(Exists("f"));
}

// A link inside the tree, or the given folder itself, goes as a link; what it leads to stays.
TEST_F(DeleteTreeTest, LinkedDirectoryIsUnlinkedNotEmptied) {
    ASSERT_EQ(rt::MakeDirectory(Path("outside")), 1);
    ASSERT_EQ(rt::WriteWholeFile(Path("outside\\keep"), ByteSet{1}), 1);
    ASSERT_EQ(rt::MakeDirectory(Path("t")), 1);
    ASSERT_EQ(symlink(NativePath("outside").c_str(), NativePath("t/link").c_str()), 0);
    EXPECT_TRUE(rt::IsLink(Path("t\\link")));
    EXPECT_FALSE(rt::IsLink(Path("t")));
    EXPECT_NE(rt::DeleteTree(Path("t")), 0);
    EXPECT_FALSE(Exists("t"));
    EXPECT_TRUE(Exists("outside\\keep"));

    for (const char* given : {"link", "link\\"}) {
        ASSERT_EQ(symlink(NativePath("outside").c_str(), NativePath("link").c_str()), 0);
        EXPECT_TRUE(rt::IsLink(Path(given))) << given;
        EXPECT_NE(rt::DeleteTree(Path(given)), 0) << given;
        EXPECT_FALSE(Exists("link")) << given;
        EXPECT_TRUE(Exists("outside\\keep")) << given;
    }
}

}  // namespace

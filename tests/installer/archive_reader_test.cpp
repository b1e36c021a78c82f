#include <gtest/gtest.h>

#include <optional>
#ifndef _WIN32
#include <sys/resource.h>

#include <csignal>
#endif

#include "installer/archive_format.h"
#include "installer/archive_reader.h"
#include "installer/ensure_directory.h"
#include "runtime/files.h"
#include "tests/installer/archive_test_support.h"

namespace inst {
namespace {

using archive_test::Bytes;
using archive_test::FileText;
using archive_test::ListTree;
using archive_test::MakeImage;
using archive_test::ScratchDirectory;
using archive_test::WriteText;
using Names = std::vector<std::string>;

rt::ByteSet SampleImage() {
    return MakeImage({{"a.txt", Bytes("alpha")},
                      {"empty.bin", {}},
                      {"sub\\dir\\b.txt", Bytes("bravo")},
                      {"sub\\c.txt", Bytes("charlie")}});
}

// An image whose trailer stores `directoryOffset` and whose directory is `directory`.
rt::ByteSet RawImage(const rt::ByteSet& bodies, const rt::ByteSet& directory,
                     std::uint32_t directoryOffset) {
    rt::ByteSet image = bodies;
    image.insert(image.end(), directory.begin(), directory.end());
    AppendU32(image, directoryOffset);
    AppendU32(image, kArchiveMagic);
    return image;
}

class ArchiveReaderTest : public ::testing::Test {
  protected:
    ScratchDirectory scratch_;
    ArchiveReader reader_;
};

TEST_F(ArchiveReaderTest, ExtractAllWritesEveryEntryAndCreatesFolders) {
    EXPECT_TRUE(reader_.ExtractAll("", SampleImage(), scratch_.Path()));
    EXPECT_EQ(ListTree(scratch_.Path()), (Names{"a.txt", "empty.bin", "sub\\", "sub\\c.txt",
                                                "sub\\dir\\", "sub\\dir\\b.txt"}));
    EXPECT_EQ(FileText(scratch_ / "a.txt"), "alpha");
    EXPECT_EQ(FileText(scratch_ / "empty.bin"), "");
    EXPECT_EQ(FileText(scratch_ / "sub\\dir\\b.txt"), "bravo");
    EXPECT_FALSE(reader_.IsOpen());
    EXPECT_EQ(reader_.Entries().size(), 4u);
}

TEST_F(ArchiveReaderTest, TargetWithAndWithoutTrailingBackslashGiveTheSameFiles) {
    ArchiveReader other;
    ASSERT_TRUE(reader_.ExtractAll("", SampleImage(), scratch_ / "plain"));
    ASSERT_TRUE(other.ExtractAll("", SampleImage(), scratch_ / "slashed\\"));
    EXPECT_EQ(ListTree(scratch_ / "plain"), ListTree(scratch_ / "slashed"));
    EXPECT_EQ(FileText(scratch_ / "slashed\\sub\\c.txt"), "charlie");
    EXPECT_EQ(ListTree(scratch_.Path()).size(), ListTree(scratch_ / "plain").size() * 2 + 2);
}

TEST_F(ArchiveReaderTest, MissingTargetLevelsAreCreated) {
    ASSERT_TRUE(reader_.ExtractAll("", SampleImage(), scratch_ / "x\\y\\z"));
    EXPECT_EQ(FileText(scratch_ / "x\\y\\z\\sub\\dir\\b.txt"), "bravo");
}

TEST_F(ArchiveReaderTest, ReadOnlyTargetFileKeepsItsContentAndExtractionGoesOn) {
    WriteText(scratch_ / "a.txt", "old");
    ASSERT_TRUE(rt::SetFileAttrs(scratch_ / "a.txt", rt::kAttrReadOnly));
    EXPECT_TRUE(reader_.ExtractAll("", SampleImage(), scratch_.Path()));
    EXPECT_EQ(FileText(scratch_ / "a.txt"), "old");
    EXPECT_EQ(FileText(scratch_ / "sub\\c.txt"), "charlie");
}

TEST_F(ArchiveReaderTest, ExistingFilesAreReplaced) {
    WriteText(scratch_ / "a.txt", "a much longer old content");
    EXPECT_TRUE(reader_.ExtractAll("", SampleImage(), scratch_.Path()));
    EXPECT_EQ(FileText(scratch_ / "a.txt"), "alpha");
}

// Each file the observer heard of, and whether it was written.
class HeardFiles final : public ExtractObserver {
  public:
    void FileWritten(const rt::TextValue& path, std::uint64_t, bool written) override {
        files.emplace_back(path, written);
    }
    std::vector<std::pair<std::string, bool>> files;
};

#ifndef _WIN32
// Natively, writes that stop part-way as on a full disk: no file may grow beyond `bytes`.
class FileSizeLimit {
  public:
    explicit FileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, SIG_IGN);  // the write fails instead
        rlimit limit = saved_;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() { setrlimit(RLIMIT_FSIZE, &saved_); }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

  private:
    rlimit saved_{};
};
#endif

// A target that cannot be replaced keeps what it held and its failure is told; the others are
// written and no temporary file stays. Windows also refuses to replace a file that a program
// holds open without sharing it; natively, a write that stops part-way (as on a full disk)
// stands in for a full disk: sub\c.txt ("charlie") is the only body longer than 6 bytes.
TEST_F(ArchiveReaderTest, ATargetThatCannotBeReplacedKeepsItsContentAndNoTemporaryStays) {
    enum class Block { kReadOnly, kFolder, kHeldOpen, kWriteStops };
    std::vector<Block> blocks = {Block::kReadOnly, Block::kFolder};
#ifdef _WIN32
    blocks.push_back(Block::kHeldOpen);
#else
    blocks.push_back(Block::kWriteStops);
#endif
    for (const Block block : blocks) {
        const ScratchDirectory target;
        const std::string blocked = target / "sub\\c.txt";
        ASSERT_TRUE(rt::MakeDirectory(target / "sub"));
        std::optional<archive_test::UnreadableFile> holder;
        if (block == Block::kFolder) {
            ASSERT_TRUE(rt::MakeDirectory(blocked));
        } else {
            WriteText(blocked, "earlier");
            if (block == Block::kReadOnly) {
                ASSERT_TRUE(rt::SetFileAttrs(blocked, rt::kAttrReadOnly));
            }
            if (block == Block::kHeldOpen) holder.emplace(blocked);
        }
#ifndef _WIN32
        std::optional<FileSizeLimit> limit;
        if (block == Block::kWriteStops) limit.emplace(6);
#endif
        HeardFiles heard;
        ArchiveReader reader;
        reader.SetObserver(&heard);
        EXPECT_TRUE(reader.ExtractAll("", SampleImage(), target.Path()));
        holder.reset();
#ifndef _WIN32
        limit.reset();
#endif

        const int kind = static_cast<int>(block);
        EXPECT_EQ(heard.files,
                  (std::vector<std::pair<std::string, bool>>{{target / "a.txt", true},
                                                             {target / "empty.bin", true},
                                                             {target / "sub\\dir\\b.txt", true},
                                                             {blocked, false}}))
            << kind;
        EXPECT_EQ(FileText(blocked), block == Block::kFolder ? "<missing>" : "earlier") << kind;
        EXPECT_EQ(ListTree(target.Path()),
                  (Names{"a.txt", "empty.bin", "sub\\",
                         block == Block::kFolder ? "sub\\c.txt\\" : "sub\\c.txt", "sub\\dir\\",
                         "sub\\dir\\b.txt"}))
            << kind;
    }
}

// An extraction ended abruptly leaves its temporary files behind; the next one removes them
// from the folders it writes to, whether or not it writes their files again.
TEST_F(ArchiveReaderTest, TemporaryFilesOfAnInterruptedExtractionAreRemoved) {
    ASSERT_TRUE(rt::MakeDirectory(scratch_ / "sub"));
    WriteText(scratch_ / "a.txt.~vsnew", "half of a");
    WriteText(scratch_ / "sub\\gone.dll.~vsnew", "half of a file this archive lacks");
    WriteText(scratch_ / "notes.~vsnew.txt", "not a temporary file");
    EXPECT_TRUE(reader_.ExtractAll("", SampleImage(), scratch_.Path()));
    EXPECT_EQ(ListTree(scratch_.Path()), (Names{"a.txt", "empty.bin", "notes.~vsnew.txt", "sub\\",
                                                "sub\\c.txt", "sub\\dir\\", "sub\\dir\\b.txt"}));
    EXPECT_EQ(FileText(scratch_ / "a.txt"), "alpha");
}

TEST_F(ArchiveReaderTest, WrongMagicWritesNothing) {
    rt::ByteSet image = SampleImage();
    image.back() = 0x06;
    EXPECT_FALSE(reader_.ExtractAll("", image, scratch_.Path()));
    EXPECT_FALSE(reader_.Open("", image));
    EXPECT_TRUE(ListTree(scratch_.Path()).empty());
}

TEST_F(ArchiveReaderTest, SevenBytesDoNotOpen) {
    EXPECT_FALSE(reader_.Open("", rt::ByteSet{0, 0, 0, 0, 0xF5, 0x2C, 0x2A}));
    EXPECT_FALSE(reader_.IsOpen());
}

TEST_F(ArchiveReaderTest, DirectoryOfOneZeroByteExtractsNothing) {
    const rt::ByteSet image = RawImage({}, rt::ByteSet{0}, 0);
    ASSERT_EQ(image.size(), 9u);
    EXPECT_TRUE(reader_.ExtractAll("", image, scratch_.Path()));
    EXPECT_TRUE(reader_.Entries().empty());
    EXPECT_TRUE(ListTree(scratch_.Path()).empty());
}

TEST_F(ArchiveReaderTest, MalformedDirectoriesDoNotOpen) {
    rt::ByteSet oneEntry;
    AppendDirectoryEntry(oneEntry, "a", 0, 4);
    oneEntry.push_back(0);
    const rt::ByteSet body = Bytes("abcd");
    ASSERT_TRUE(reader_.Open("", RawImage(body, oneEntry, 4)));

    EXPECT_FALSE(reader_.Open("", RawImage(body, oneEntry, 0x7FFFFFFF)));  // offset past the end
    EXPECT_FALSE(reader_.Open("", RawImage(body, oneEntry, 0xFFFFFFF0)));  // wraps a pointer
    EXPECT_FALSE(reader_.Open("", RawImage(body, Bytes("noend"), 4)));     // name without 0
    EXPECT_FALSE(reader_.Open("", RawImage(body, {}, 4)));                 // no directory

    rt::ByteSet tooLarge;
    AppendDirectoryEntry(tooLarge, "a", 0, 2);
    AppendDirectoryEntry(tooLarge, "b", 2, 3);  // 5 bytes of 4
    tooLarge.push_back(0);
    EXPECT_FALSE(reader_.Open("", RawImage(body, tooLarge, 4)));

    rt::ByteSet wrapping;
    AppendDirectoryEntry(wrapping, "a", 0, 0xFFFFFFFE);
    AppendDirectoryEntry(wrapping, "b", 0, 6);  // 32-bit sum 4: fits only when it wraps
    wrapping.push_back(0);
    EXPECT_FALSE(reader_.ExtractAll("", RawImage(body, wrapping, 4), scratch_.Path()));
    EXPECT_FALSE(reader_.IsOpen());
    EXPECT_TRUE(ListTree(scratch_.Path()).empty());
}

TEST_F(ArchiveReaderTest, NamesOutsideTheTargetAreNeverWritten) {
    const std::string target = scratch_ / "target";
    const rt::ByteSet image = MakeImage({{"..\\up1.txt", Bytes("x")},
                                         {"../up2.txt", Bytes("x")},
                                         {"sub\\..\\..\\up3.txt", Bytes("x")},
                                         {"sub/../../up4.txt", Bytes("x")},
                                         {"C:up5.txt", Bytes("x")},
                                         {"\\up6.txt", Bytes("x")},
                                         {scratch_ / "up7.txt", Bytes("x")},
                                         {"...\\up8.txt", Bytes("x")},
                                         {"ok.txt", Bytes("fine")},
                                         {"sub/ok.txt", Bytes("fine too")}});
    EXPECT_TRUE(reader_.ExtractAll("", image, target));
    EXPECT_EQ(ListTree(scratch_.Path()),
              (Names{"target\\", "target\\ok.txt", "target\\sub\\", "target\\sub\\ok.txt"}));
    // Bodies after skipped entries still come from their own place.
    EXPECT_EQ(FileText(target + "\\sub\\ok.txt"), "fine too");
}

TEST_F(ArchiveReaderTest, DoubleByteNamesEndingIn5CMakeNoStrayFolders) {
    // 籠 is BB 5C: splitting bytes at "\" would create a folder "\xBB" and a file ".txt".
    const rt::ByteSet image = MakeImage({{"籠.txt", Bytes("cage")}, {"a淺", Bytes("shallow")}});
    EXPECT_TRUE(reader_.ExtractAll("", image, scratch_.Path()));
    EXPECT_EQ(ListTree(scratch_.Path()), (Names{"a淺", "籠.txt"}));
    EXPECT_EQ(FileText(scratch_ / "籠.txt"), "cage");
}

#ifdef _WIN32
// Native stand-ins of the runtime's directory functions split at every 0x5C byte; Windows
// reads the name as GBK characters, so folders with such names are checked here only.
TEST_F(ArchiveReaderTest, DoubleByteFolderNamesEndingIn5C) {
    const rt::ByteSet image = MakeImage({{"淺\\籠\\x.txt", Bytes("deep")}});
    EXPECT_TRUE(reader_.ExtractAll("", image, scratch_ / "籠"));
    EXPECT_EQ(ListTree(scratch_.Path()),
              (Names{"籠\\", "籠\\淺\\", "籠\\淺\\籠\\", "籠\\淺\\籠\\x.txt"}));
    EXPECT_EQ(FileText(scratch_ / "籠\\淺\\籠\\x.txt"), "deep");
}
#endif

TEST_F(ArchiveReaderTest, FindEntryAndReadEntry) {
    ASSERT_TRUE(reader_.Open("", SampleImage()));
    EXPECT_TRUE(reader_.IsOpen());
    EXPECT_EQ(reader_.FindEntry("a.txt"), 1);
    EXPECT_EQ(reader_.FindEntry("sub\\c.txt"), 4);
    EXPECT_EQ(reader_.FindEntry("sub/c.txt"), 0);
    EXPECT_EQ(reader_.FindEntry("missing"), 0);
    EXPECT_EQ(reader_.ReadEntry("sub\\dir\\b.txt"), Bytes("bravo"));
    EXPECT_EQ(reader_.ReadEntry("a.txt"), Bytes("alpha"));
    EXPECT_TRUE(reader_.ReadEntry("empty.bin").empty());
    EXPECT_TRUE(reader_.ReadEntry("missing").empty());
    for (const ArchiveEntry& entry : reader_.Entries())
        EXPECT_EQ(entry.nameChecksum, NameChecksum(entry.name)) << entry.name;

    reader_.Close();
    EXPECT_FALSE(reader_.IsOpen());
    EXPECT_EQ(reader_.Entries().size(), 4u);  // kept until the next Open
    EXPECT_TRUE(reader_.ReadEntry("a.txt").empty());
}

TEST_F(ArchiveReaderTest, FindEntryMatchesByChecksumAndTakesTheFirst) {
    rt::ByteSet directory;
    AppendDirectoryEntry(directory, "first", 0, 1);
    AppendDirectoryEntry(directory, "second", 1, 1);
    directory.push_back(0);
    // Give the second entry the first one's checksum, as a CRC collision would.
    const std::size_t secondChecksum = 6 + 12 + 7;
    const std::uint32_t checksum = NameChecksum("first");
    for (int i = 0; i < 4; ++i)
        directory[secondChecksum + i] = static_cast<std::uint8_t>(checksum >> (8 * i));
    ASSERT_TRUE(reader_.Open("", RawImage(Bytes("12"), directory, 2)));
    EXPECT_EQ(reader_.FindEntry("first"), 1);
    EXPECT_EQ(reader_.FindEntry("second"), 0);
    EXPECT_EQ(reader_.ReadEntry("first"), Bytes("1"));
}

TEST_F(ArchiveReaderTest, ExtractAllWithoutSourceFails) {
    EXPECT_FALSE(reader_.ExtractAll("", {}, scratch_.Path()));
    ASSERT_TRUE(reader_.Open("", SampleImage()));
    EXPECT_TRUE(reader_.ExtractAll("", {}, scratch_.Path()));  // the source opened before
    EXPECT_EQ(FileText(scratch_ / "sub\\c.txt"), "charlie");
}

TEST_F(ArchiveReaderTest, ArchiveFilesOpenFromDisk) {
    const std::string path = scratch_ / "sample.arc";
    ASSERT_TRUE(rt::WriteWholeFile(path, SampleImage()));
    ASSERT_TRUE(reader_.Open(path));
    EXPECT_EQ(reader_.ReadEntry("sub\\c.txt"), Bytes("charlie"));
    EXPECT_TRUE(reader_.ExtractAll(path, {}, scratch_ / "out"));
    EXPECT_EQ(ListTree(scratch_ / "out").size(), 6u);
    EXPECT_EQ(FileText(scratch_ / "out\\sub\\dir\\b.txt"), "bravo");

    EXPECT_FALSE(reader_.Open(scratch_ / "missing.arc"));
    ASSERT_TRUE(rt::WriteWholeFile(path, Bytes("short")));
    EXPECT_FALSE(reader_.Open(path));
    rt::ByteSet wrongMagic = SampleImage();
    wrongMagic.back() = 0;
    ASSERT_TRUE(rt::WriteWholeFile(path, wrongMagic));
    EXPECT_FALSE(reader_.Open(path));
    rt::ByteSet directory;
    AppendDirectoryEntry(directory, "a", 0, 4);
    directory.push_back(0);
    ASSERT_TRUE(rt::WriteWholeFile(path, RawImage(Bytes("abcd"), directory, 0x7FFFFFFF)));
    EXPECT_FALSE(reader_.Open(path));
    EXPECT_FALSE(reader_.IsOpen());
}

TEST_F(ArchiveReaderTest, BuildArchiveStoresATreeThatExtractsIdentically) {
    const std::string source = scratch_ / "source";
    EnsureDirectory(source + "\\docs\\deep");
    WriteText(source + "\\root.txt", "root");
    WriteText(source + "\\empty", "");
    WriteText(source + "\\docs\\readme.txt", "read me");
    WriteText(source + "\\docs\\deep\\data.bin", std::string(70000, 'd'));
    const std::string archive = scratch_ / "built.arc";

    ASSERT_TRUE(reader_.BuildArchive(source, archive));
    EXPECT_EQ(ListTree(scratch_.Path()).front(), "built.arc");  // no temporary files left
    EXPECT_EQ(FileText(archive + ".Data"), "<missing>");
    EXPECT_EQ(FileText(archive + ".Header"), "<missing>");

    ASSERT_TRUE(reader_.Open(archive));
    Names names;
    for (const ArchiveEntry& entry : reader_.Entries())
        names.push_back(entry.name);
    ASSERT_EQ(names.size(), 4u);
    // A folder's own files come before those of its sub-folders.
    EXPECT_TRUE(names[0] == "root.txt" || names[0] == "empty") << names[0];
    EXPECT_TRUE(names[1] == "root.txt" || names[1] == "empty") << names[1];
    EXPECT_EQ(names[2], "docs\\readme.txt");
    EXPECT_EQ(names[3], "docs\\deep\\data.bin");

    ASSERT_TRUE(reader_.ExtractAll(archive, {}, scratch_ / "copy"));
    EXPECT_EQ(ListTree(scratch_ / "copy"), ListTree(source));
    EXPECT_EQ(FileText(scratch_ / "copy\\docs\\deep\\data.bin"), std::string(70000, 'd'));

    // Building again over the existing archive replaces it.
    WriteText(source + "\\root.txt", "changed");
    ASSERT_TRUE(reader_.BuildArchive(source + "\\", archive));
    EXPECT_EQ(reader_.ExtractAll(archive, {}, scratch_ / "again"), true);
    EXPECT_EQ(FileText(scratch_ / "again\\root.txt"), "changed");
}

TEST_F(ArchiveReaderTest, BuildArchiveInsideItsOwnSourceLeavesItselfOut) {
    WriteText(scratch_ / "one.txt", "1");
    ASSERT_TRUE(reader_.BuildArchive(scratch_.Path(), scratch_ / "self.arc"));
    ASSERT_TRUE(reader_.Open(scratch_ / "self.arc"));
    ASSERT_EQ(reader_.Entries().size(), 1u);
    EXPECT_EQ(reader_.Entries()[0].name, "one.txt");
}

TEST_F(ArchiveReaderTest, BuildArchiveFailsWhenItCannotCreateItsFile) {
    WriteText(scratch_ / "one.txt", "1");
    EXPECT_FALSE(reader_.BuildArchive(scratch_.Path(), scratch_ / "no\\such\\folder.arc"));

    // A file that cannot be read fails the build part-way; no archive and no temporary file
    // is left behind.
    EnsureDirectory(scratch_ / "source");
    WriteText(scratch_ / "source\\a.txt", "a");
    const archive_test::UnreadableFile busy(scratch_ / "source\\b.txt");
    EXPECT_FALSE(reader_.BuildArchive(scratch_ / "source", scratch_ / "partial.arc"));
    EXPECT_EQ(ListTree(scratch_.Path()),
              (Names{"one.txt", "source\\", "source\\a.txt", "source\\b.txt"}));
}

TEST(EnsureDirectory, CreatesEveryMissingLevel) {
    ScratchDirectory scratch;
    EnsureDirectory(scratch / "a\\b\\c");
    EXPECT_TRUE(rt::IsExistingDirectory(scratch / "a\\b\\c"));
    EnsureDirectory(scratch / "a\\b\\c");  // already there
    EnsureDirectory(scratch / "a/d/");
    EXPECT_EQ(ListTree(scratch.Path()), (Names{"a\\", "a\\b\\", "a\\b\\c\\", "a\\d\\"}));
}

}  // namespace
}  // namespace inst

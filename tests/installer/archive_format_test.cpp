#include <gtest/gtest.h>

#include "installer/archive_format.h"
#include "installer/archive_image_builder.h"
#include "tests/installer/archive_test_support.h"

namespace inst {
namespace {

using archive_test::Bytes;

rt::ByteSet U32(std::uint32_t value) {
    rt::ByteSet out;
    AppendU32(out, value);
    return out;
}

rt::ByteSet Concat(std::initializer_list<rt::ByteSet> parts) {
    rt::ByteSet out;
    for (const rt::ByteSet& part : parts)
        out.insert(out.end(), part.begin(), part.end());
    return out;
}

TEST(ArchiveFormat, NameChecksumIsTheZlibCrc) {
    EXPECT_EQ(NameChecksum("123456789"), 0xCBF43926u);
    EXPECT_EQ(NameChecksum(""), 0u);
    EXPECT_EQ(NameChecksum("VantorFenwix.exe"), NameChecksum(std::string("VantorFenwix.exe")));
}

TEST(ArchiveFormat, BuilderWritesBodiesDirectoryAndTrailer) {
    ArchiveImageBuilder builder;
    ASSERT_TRUE(builder.Add("a.txt", Bytes("abc")));
    ASSERT_TRUE(builder.Add("sub\\b", {}));
    ASSERT_TRUE(builder.Add("c", Bytes("xy")));
    EXPECT_FALSE(builder.Add("", Bytes("x")));
    EXPECT_FALSE(builder.Add(std::string_view("a\0b", 3), Bytes("x")));
    EXPECT_EQ(builder.EntryCount(), 3u);

    const rt::ByteSet expected = Concat({
        Bytes("abcxy"),
        Bytes(std::string_view("a.txt\0", 6)),
        U32(NameChecksum("a.txt")),
        U32(0),
        U32(3),
        Bytes(std::string_view("sub\\b\0", 6)),
        U32(NameChecksum("sub\\b")),
        U32(3),
        U32(0),
        Bytes(std::string_view("c\0", 2)),
        U32(NameChecksum("c")),
        U32(3),
        U32(2),
        rt::ByteSet{0},
        U32(5),
        rt::ByteSet{0xF5, 0x2C, 0x2A, 0x05},
    });
    EXPECT_EQ(builder.Finish(), expected);
    EXPECT_EQ(builder.EntryCount(), 0u);
}

TEST(ArchiveFormat, TrailerMustCarryTheMagicAndAnOffsetInsideTheImage) {
    const rt::ByteSet good = Concat({U32(4), U32(kArchiveMagic)});
    const auto bounds = ReadArchiveTrailer(20, good);
    ASSERT_TRUE(bounds);
    EXPECT_EQ(bounds->directoryOffset, 4u);
    EXPECT_EQ(bounds->directoryEnd, 12u);

    EXPECT_FALSE(ReadArchiveTrailer(20, Concat({U32(4), U32(0x052A2CF6)})));
    EXPECT_FALSE(ReadArchiveTrailer(7, good));
    EXPECT_FALSE(ReadArchiveTrailer(20, Concat({U32(13), U32(kArchiveMagic)})));
    // An offset that would wrap a 32-bit pointer back into the image.
    EXPECT_FALSE(ReadArchiveTrailer(20, Concat({U32(0xFFFFFFF8), U32(kArchiveMagic)})));
    EXPECT_TRUE(ReadArchiveTrailer(8, Concat({U32(0), U32(kArchiveMagic)})));
}

TEST(ArchiveFormat, DirectoryOfOneZeroByteHasNoEntries) {
    const auto entries = ParseArchiveDirectory(rt::ByteSet{0}, 0);
    ASSERT_TRUE(entries);
    EXPECT_TRUE(entries->empty());
}

TEST(ArchiveFormat, DirectoryParsesStoredFields) {
    rt::ByteSet directory;
    AppendDirectoryEntry(directory, "one", 0, 10);
    AppendDirectoryEntry(directory, "two", 10, 5);
    directory.push_back(0);
    const auto entries = ParseArchiveDirectory(directory, 15);
    ASSERT_TRUE(entries);
    ASSERT_EQ(entries->size(), 2u);
    EXPECT_EQ((*entries)[1].name, "two");
    EXPECT_EQ((*entries)[1].offset, 10u);
    EXPECT_EQ((*entries)[1].size, 5u);
    EXPECT_EQ((*entries)[1].nameChecksum, NameChecksum("two"));
}

TEST(ArchiveFormat, DirectoryThatLeavesItsRegionIsRejected) {
    EXPECT_FALSE(ParseArchiveDirectory({}, 0));
    EXPECT_FALSE(ParseArchiveDirectory(Bytes("name"), 0));  // no 0 byte
    rt::ByteSet entry;
    AppendDirectoryEntry(entry, "a", 0, 0);
    EXPECT_FALSE(ParseArchiveDirectory(entry, 0));  // no end marker
    // An entry whose checksum, offset and size are cut off by the end of the region, also by
    // a single byte.
    EXPECT_FALSE(ParseArchiveDirectory(rt::ByteSet(entry.begin(), entry.end() - 4), 0));
    EXPECT_FALSE(ParseArchiveDirectory(rt::ByteSet(entry.begin(), entry.end() - 1), 0));
}

TEST(ArchiveFormat, BodiesOutsideTheDataAreRejected) {
    auto parse = [](std::initializer_list<std::pair<std::uint32_t, std::uint32_t>> bodies,
                    std::uint64_t dataSize) {
        rt::ByteSet directory;
        for (const auto& [offset, size] : bodies)
            AppendDirectoryEntry(directory, "f", offset, size);
        directory.push_back(0);
        return ParseArchiveDirectory(directory, dataSize).has_value();
    };
    EXPECT_TRUE(parse({{0, 4}, {4, 6}}, 10));
    EXPECT_FALSE(parse({{0, 4}, {4, 7}}, 10));              // sum passes the data
    EXPECT_FALSE(parse({{0, 4}, {0, 4}}, 4));               // each fits, together they do not
    EXPECT_FALSE(parse({{0, 0xFFFFFFF0}, {0, 0x20}}, 16));  // sum wraps in 32 bits
    EXPECT_FALSE(parse({{0xFFFFFFF0, 0x20}}, 0x10000));     // offset + size wraps in 32 bits
    EXPECT_FALSE(parse({{8, 4}}, 10));                      // body past the data by its offset
}

}  // namespace
}  // namespace inst

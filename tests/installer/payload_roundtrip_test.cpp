// The payload the build embeds decodes and installs byte for byte as the packed files.
// PAYLOAD_STAGE is the folder vspack packed, reached from Wine through drive Z:.
#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>

#include "installer/archive_format.h"
#include "installer/archive_reader.h"
#include "installer/payload_codec.h"
#include "installer/payload_encoder.h"
#include "installer/payload_settings_search.h"
#include "resources/payload/embedded_payload.h"
#include "runtime/files.h"
#include "tests/installer/archive_test_support.h"

namespace inst {
namespace {

using archive_test::ListTree;
using archive_test::ScratchDirectory;

const std::string kStage = PAYLOAD_STAGE;

class EmbeddedPayloadTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        image_ = new rt::ByteSet;
        result_ = UnpackPayload(EmbeddedPayload(), *image_);
    }
    static void TearDownTestSuite() { delete image_; }

    static rt::ByteSet* image_;
    static int result_;
};

rt::ByteSet* EmbeddedPayloadTest::image_ = nullptr;
int EmbeddedPayloadTest::result_ = -1;

TEST_F(EmbeddedPayloadTest, DecodesToTheDeclaredSizeWithTheShippedProperties) {
    const auto payload = EmbeddedPayload();
    ASSERT_GT(payload.size(), 1000000u);
    const auto trailer = payload.last(kPayloadTrailerSize);
    // The packer chose lc/lp/pb among its candidates and fitted the dictionary to the image.
    const auto properties = DecodeLzmaProperties(trailer.first(kLzmaPropertiesSize));
    ASSERT_TRUE(properties);
    const auto candidates = PayloadCandidates();
    EXPECT_TRUE(std::any_of(candidates.begin(), candidates.end(), [&](const auto& candidate) {
        return std::tie(candidate.lc, candidate.lp, candidate.pb) ==
               std::tie(properties->lc, properties->lp, properties->pb);
    }));
    ASSERT_EQ(result_, 0);
    EXPECT_EQ(image_->size(), ReadU32(trailer.data() + 5));
    EXPECT_EQ(properties->dictionarySize, FittingDictionarySize(image_->size()));
    EXPECT_NEAR(static_cast<double>(image_->size()), 15.9e6, 0.3e6);
    EXPECT_EQ(ImageChecksum(*image_), EmbeddedImageChecksum()) << "the checksum the build recorded";
}

TEST_F(EmbeddedPayloadTest, DirectoryHoldsTheProductWithMatchingChecksums) {
    ASSERT_EQ(result_, 0);
    ArchiveReader reader;
    ASSERT_TRUE(reader.Open("", *image_));
    ASSERT_EQ(reader.Entries().size(), 38u);
    std::uint64_t offset = 0;
    for (const ArchiveEntry& entry : reader.Entries()) {
        EXPECT_EQ(entry.nameChecksum, NameChecksum(entry.name)) << entry.name;
        EXPECT_EQ(entry.offset, offset) << entry.name;
        offset += entry.size;
    }
    EXPECT_EQ(offset, ReadU32(image_->data() + image_->size() - 8));
    for (const char* name :
         {"AutoUpdate.exe", "VantorFenwix.exe", "VantorSaelin.exe", "使用说明.txt"})
        EXPECT_NE(reader.FindEntry(name), 0) << name;
}

TEST_F(EmbeddedPayloadTest, ExtractedFilesAreIdenticalToThePackedOnes) {
    ASSERT_EQ(result_, 0);
    ScratchDirectory scratch;
    ArchiveReader reader;
    ASSERT_TRUE(reader.ExtractAll("", *image_, scratch / "VantorFenWix"));
    const std::vector<std::string> installed = ListTree(scratch / "VantorFenWix");
    ASSERT_EQ(installed, ListTree(kStage));
    ASSERT_EQ(installed.size(), 38u);
    for (const std::string& name : installed) {
        const rt::OptionalBytes expected = rt::ReadWholeFile(kStage + "\\" + name);
        ASSERT_TRUE(expected) << name;
        const rt::OptionalBytes actual = rt::ReadWholeFile(scratch / "VantorFenWix\\" + name);
        ASSERT_TRUE(actual) << name;
        EXPECT_TRUE(*actual == *expected) << name << " differs";
    }

    // The same target with a trailing backslash gives the same files.
    ArchiveReader again;
    ASSERT_TRUE(again.ExtractAll("", *image_, scratch / "second\\"));
    EXPECT_EQ(ListTree(scratch / "second"), installed);
}

TEST_F(EmbeddedPayloadTest, ReadEntryReturnsThePackedBytes) {
    ASSERT_EQ(result_, 0);
    ArchiveReader reader;
    ASSERT_TRUE(reader.Open("", *image_));
    for (const char* name : {"VantorFenwix.exe", "使用说明.txt", "maps.dat"}) {
        const rt::OptionalBytes expected = rt::ReadWholeFile(kStage + "\\" + name);
        ASSERT_TRUE(expected) << name;
        EXPECT_TRUE(reader.ReadEntry(name) == *expected) << name;
    }
}

}  // namespace
}  // namespace inst

// What decoding and extraction tell while they work: progress in bytes that starts at 0, never
// goes back, moves in steps of about kProgressStep (also inside a large file) and ends at the
// total; and each folder, file and refused entry of the extraction.
#include <gtest/gtest.h>

#include <lzma.h>

#include "installer/archive_reader.h"
#include "installer/payload_codec.h"
#include "installer/payload_encoder.h"
#include "runtime/files.h"
#include "tests/installer/archive_test_support.h"

namespace inst {
namespace {

using archive_test::MakeImage;
using archive_test::ScratchDirectory;

constexpr std::uint64_t kBigFile = 3 * kProgressStep + 12345;

rt::ByteSet Filled(std::size_t size, std::uint8_t seed) {
    rt::ByteSet bytes(size);
    for (std::size_t i = 0; i < size; ++i)
        bytes[i] = static_cast<std::uint8_t>(seed + i * 7 + (i >> 10));
    return bytes;
}

struct Reported {
    std::uint64_t done;
    std::uint64_t total;
};

class Recorder final : public ExtractObserver {
  public:
    void Advance(std::uint64_t done, std::uint64_t total) override {
        progress.push_back({done, total});
    }
    void FolderCreated(const rt::TextValue& path, bool created) override {
        events.push_back("folder " + path.substr(root.size()) + (created ? "" : " failed"));
    }
    void FileWritten(const rt::TextValue& path, std::uint64_t size, bool written) override {
        events.push_back("file " + path.substr(root.size()) + " " + std::to_string(size) +
                         (written ? "" : " failed"));
    }
    void EntryRefused(const rt::TextValue& name) override { events.push_back("refused " + name); }

    std::string root;
    std::vector<Reported> progress;
    std::vector<std::string> events;
};

void ExpectSteadyProgress(const std::vector<Reported>& progress, std::uint64_t total) {
    ASSERT_GE(progress.size(), 2u);
    EXPECT_EQ(progress.front().done, 0u);
    EXPECT_EQ(progress.back().done, total);
    for (std::size_t i = 0; i < progress.size(); ++i) {
        EXPECT_EQ(progress[i].total, total);
        if (i == 0) continue;
        EXPECT_GT(progress[i].done, progress[i - 1].done) << i;
        // Coarse enough: only the last step may be shorter than kProgressStep.
        if (i + 1 < progress.size()) {
            EXPECT_GE(progress[i].done - progress[i - 1].done, kProgressStep) << i;
        }
        // Fine enough: decoded and written pieces are never larger than a step.
        EXPECT_LT(progress[i].done - progress[i - 1].done, 2 * kProgressStep) << i;
    }
}

TEST(UnpackProgress, DecodingAndExtractionTellTheirProgressAndEveryFile) {
    const rt::ByteSet image = MakeImage({{"big.bin", Filled(kBigFile, 1)},
                                         {"sub\\deep\\small.txt", Filled(100, 2)},
                                         {"..\\outside.txt", Filled(10, 3)},
                                         {"last.bin", Filled(kProgressStep + 1, 4)}});
    PayloadOptions options;
    options.preset = 0;
    rt::ByteSet payload;
    ASSERT_EQ(PackPayload(image, options, payload), LZMA_OK);

    Recorder decoding;
    rt::ByteSet decoded;
    ASSERT_EQ(UnpackPayload(payload, decoded, nullptr, &decoding), 0);
    ASSERT_EQ(decoded, image);
    ExpectSteadyProgress(decoding.progress, image.size());

    ScratchDirectory scratch;
    Recorder extraction;
    extraction.root = scratch.Path() + "\\";
    archive_test::WriteText(scratch / "last.bin", "read-only");
    ArchiveReader reader;
    reader.SetObserver(&extraction);
    const rt::TextValue readOnly = scratch / "last.bin";
    ASSERT_TRUE(rt::SetFileAttrs(readOnly, rt::kAttrReadOnly));
    ASSERT_TRUE(reader.ExtractAll("", decoded, scratch.Path()));
    rt::SetFileAttrs(readOnly, 0);

    const std::uint64_t bodies = kBigFile + 100 + 10 + kProgressStep + 1;
    ExpectSteadyProgress(extraction.progress, bodies);
    EXPECT_TRUE(std::any_of(extraction.progress.begin(), extraction.progress.end(),
                            [](const Reported& r) { return r.done > 0 && r.done < kBigFile; }))
        << "progress moves inside a large file";
    const std::vector<std::string> events = {
        "file big.bin " + std::to_string(kBigFile),
        "folder sub",
        "folder sub\\deep",
        "file sub\\deep\\small.txt 100",
        "refused ..\\outside.txt",
        "file last.bin " + std::to_string(kProgressStep + 1) + " failed",
    };
    EXPECT_EQ(extraction.events, events);
}

}  // namespace
}  // namespace inst

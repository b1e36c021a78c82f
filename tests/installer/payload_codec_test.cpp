#include <lzma.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <tuple>

#include "installer/archive_format.h"
#include "installer/lzma_in_place_decoder.h"
#include "installer/payload_codec.h"
#include "installer/payload_encoder.h"
#include "installer/payload_settings_search.h"
#include "tests/installer/archive_test_support.h"

namespace inst {
namespace {

using archive_test::Bytes;

// Half text, half noise: a compressor has to use literals, matches and repeated matches.
rt::ByteSet SampleData(std::size_t size, unsigned seed) {
    std::mt19937 random(seed);
    rt::ByteSet data;
    const std::string words[] = {"Vantor ", "Saelin ", "setup ", "archive\r\n", "payload "};
    while (data.size() < size) {
        if (random() % 2) {
            const std::string& word = words[random() % 5];
            data.insert(data.end(), word.begin(), word.end());
        } else {
            for (int i = 0; i < 16; ++i)
                data.push_back(static_cast<std::uint8_t>(random()));
        }
    }
    data.resize(size);
    return data;
}

rt::ByteSet Pack(const rt::ByteSet& image, bool endMarker = false) {
    PayloadOptions options;
    options.endMarker = endMarker;
    options.preset = 1;
    rt::ByteSet payload;
    EXPECT_EQ(PackPayload(image, options, payload), LZMA_OK);
    return payload;
}

// Replaces the declared image size in the payload's trailer.
void SetDeclaredSize(rt::ByteSet& payload, std::uint32_t size) {
    ASSERT_GE(payload.size(), 4u);
    payload.resize(payload.size() - 4);
    AppendU32(payload, size);
}

TEST(PayloadCodec, RoundTripWithTheShippedTrailer) {
    const rt::ByteSet image = SampleData(300000, 1);
    const rt::ByteSet payload = Pack(image);
    ASSERT_GT(payload.size(), kPayloadTrailerSize);
    const rt::ByteSet trailer(payload.end() - 9, payload.end());
    EXPECT_EQ(trailer, (rt::ByteSet{0x5D, 0x00, 0x00, 0x00, 0x04, 0xE0, 0x93, 0x04, 0x00}));

    rt::ByteSet decoded{1, 2, 3};
    EXPECT_EQ(UnpackPayload(payload, decoded), 0);
    EXPECT_EQ(decoded, image);
}

// The checksum recorded beside the payload vouches for the image; any other value fails it.
TEST(PayloadCodec, AShippedPayloadMustMatchItsImageChecksum) {
    const rt::ByteSet image = SampleData(20000, 11);
    const rt::ByteSet payload = Pack(image);
    rt::ByteSet decoded;
    EXPECT_EQ(UnpackShippedPayload({payload, ImageChecksum(image)}, decoded), LZMA_OK);
    EXPECT_EQ(decoded, image);
    EXPECT_EQ(UnpackShippedPayload({payload, ImageChecksum(image) ^ 0x80}, decoded),
              LZMA_DATA_ERROR);
    EXPECT_TRUE(decoded.empty());
    EXPECT_EQ(ImageChecksum(Bytes("123456789")), 0xCBF43926u);
}

TEST(PayloadCodec, StreamsWithAndWithoutEndMarkerDecode) {
    const rt::ByteSet image = SampleData(50000, 2);
    const rt::ByteSet plain = Pack(image, false);
    const rt::ByteSet marked = Pack(image, true);
    EXPECT_GT(marked.size(), plain.size());
    rt::ByteSet decoded;
    EXPECT_EQ(UnpackPayload(plain, decoded), 0);
    EXPECT_EQ(decoded, image);
    EXPECT_EQ(UnpackPayload(marked, decoded), 0);
    EXPECT_EQ(decoded, image);
}

TEST(PayloadCodec, OtherPropertiesAreHonoured) {
    const rt::ByteSet image = SampleData(40000, 3);
    PayloadOptions options;
    options.properties = {0, 2, 0, 1 << 16};
    options.preset = 0;
    rt::ByteSet payload;
    ASSERT_EQ(PackPayload(image, options, payload), LZMA_OK);
    EXPECT_EQ(payload[payload.size() - 9], (0 * 5 + 2) * 9 + 0);
    rt::ByteSet decoded;
    EXPECT_EQ(UnpackPayload(payload, decoded), 0);
    EXPECT_EQ(decoded, image);
}

// Every setting the packer's search may keep decodes, in place (from 1 MiB) and the plain way,
// and stores a dictionary that holds the image, as decoding in place needs.
TEST(PayloadCodec, EveryCandidateSettingRoundTrips) {
    const rt::ByteSet small = SampleData(40000, 13);
    const rt::ByteSet large = SampleData((1u << 20) + 4096, 14);
    PayloadOptions base;
    base.preset = 0;
    base.properties.dictionarySize = 0;  // fitted, as the packer stores it
    for (const PayloadCandidate& candidate : PayloadCandidates()) {
        for (const rt::ByteSet* image : {&small, &large}) {
            const PayloadOptions options = CandidateOptions(base, candidate, image->size());
            rt::ByteSet payload;
            ASSERT_EQ(PackPayload(*image, options, payload), LZMA_OK);
            const auto stored = DecodeLzmaProperties(std::span(payload).last(9).first(5));
            ASSERT_TRUE(stored);
            EXPECT_EQ(std::tie(stored->lc, stored->lp, stored->pb),
                      std::tie(candidate.lc, candidate.lp, candidate.pb));
            EXPECT_GE(stored->dictionarySize, image->size());
            rt::ByteSet decoded;
            DecodePath path = DecodePath::kNone;
            ASSERT_EQ(UnpackPayload(payload, decoded, &path), 0) << candidate.lc << candidate.lp;
            EXPECT_TRUE(decoded == *image);
            EXPECT_EQ(path, image == &large ? DecodePath::kInPlace : DecodePath::kPlain);
        }
    }
}

// The search keeps the smallest trial, and the same bytes however many trials run at once.
TEST(PayloadCodec, TunedPackingKeepsTheSmallestTrialWhateverTheThreads) {
    const rt::ByteSet image = SampleData(200000, 15);
    PayloadOptions base;
    base.preset = 1;
    rt::ByteSet alone, together;
    std::vector<PayloadTrial> trials;
    ASSERT_EQ(PackPayloadTuned(image, base, 1, alone), LZMA_OK);
    ASSERT_EQ(PackPayloadTuned(image, base, 3, together, &trials), LZMA_OK);
    EXPECT_TRUE(alone == together);
    ASSERT_EQ(trials.size(), PayloadCandidates().size());
    for (const PayloadTrial& trial : trials)
        EXPECT_LE(together.size(), trial.bytes);
    rt::ByteSet decoded;
    ASSERT_EQ(UnpackPayload(together, decoded), 0);
    EXPECT_TRUE(decoded == image);
}

// A shipped payload with a reader is decoded from what the reader gives, not from the view
// (here zeroed but for its trailer), and a read that fails is a damaged payload.
TEST(PayloadCodec, AShippedPayloadsReaderFeedsTheDecoder) {
    for (const std::size_t size : {std::size_t{30000}, std::size_t{(1u << 20) + 500}}) {
        const rt::ByteSet image = SampleData(size, 16);
        const rt::ByteSet payload = Pack(image);
        rt::ByteSet view(payload.size() - kPayloadTrailerSize, 0);
        view.insert(view.end(), payload.end() - kPayloadTrailerSize, payload.end());
        for (const std::uint64_t failAt : {std::uint64_t{UINT64_MAX}, std::uint64_t{5000}}) {
            std::uint64_t largestRead = 0;
            const ContainerReader read = [&](std::uint64_t offset, std::span<std::uint8_t> out) {
                largestRead = std::max<std::uint64_t>(largestRead, out.size());
                if (offset + out.size() > failAt) return false;
                std::copy_n(payload.begin() + static_cast<std::ptrdiff_t>(offset), out.size(),
                            out.begin());
                return true;
            };
            rt::ByteSet decoded;
            const int result = UnpackShippedPayload({view, ImageChecksum(image), read}, decoded);
            if (failAt == UINT64_MAX) {
                EXPECT_EQ(result, LZMA_OK) << size;
                EXPECT_TRUE(decoded == image);
                EXPECT_LE(largestRead, 256u * 1024) << "the stream is read in pieces";
            } else {
                EXPECT_EQ(result, LZMA_DATA_ERROR) << size;
                EXPECT_TRUE(decoded.empty());
            }
        }
    }
}

TEST(PayloadCodec, FittedDictionaryIsTheSmallestUsualSizeThatHoldsTheImage) {
    const std::pair<std::uint64_t, std::uint32_t> cases[] = {{0, 4096},
                                                             {4096, 4096},
                                                             {4097, 6144},
                                                             {6145, 8192},
                                                             {15843928, 16u << 20},
                                                             {(24u << 20) + 1, 32u << 20},
                                                             {0xFFFFFFFF, 0xFFFFFFFF}};
    for (const auto& [imageSize, dictionary] : cases)
        EXPECT_EQ(FittingDictionarySize(imageSize), dictionary) << imageSize;
}

TEST(PayloadCodec, EmptyImage) {
    const rt::ByteSet payload = Pack({});
    rt::ByteSet decoded{7};
    EXPECT_EQ(UnpackPayload(payload, decoded), 0);
    EXPECT_TRUE(decoded.empty());
}

TEST(PayloadCodec, PayloadShorterThanItsTrailerFails) {
    rt::ByteSet decoded;
    EXPECT_NE(UnpackPayload(rt::ByteSet{0x5D, 0, 0, 0, 4, 0, 0, 0}, decoded), 0);
    EXPECT_NE(UnpackPayload({}, decoded), 0);
    EXPECT_TRUE(decoded.empty());
}

TEST(PayloadCodec, InvalidPropertiesFail) {
    rt::ByteSet payload = Pack(SampleData(1000, 4));
    rt::ByteSet decoded;
    payload[payload.size() - 9] = 225;  // pb would be 5
    EXPECT_EQ(UnpackPayload(payload, decoded), LZMA_OPTIONS_ERROR);
    payload[payload.size() - 9] = (2 * 5 + 4) * 9 + 4;  // lc + lp = 8: liblzma takes at most 4
    EXPECT_NE(UnpackPayload(payload, decoded), 0);
    EXPECT_TRUE(decoded.empty());
}

// A short stream must not pass as success with the rest of the image left zero-filled.
TEST(PayloadCodec, StreamEndingBeforeTheDeclaredSizeFails) {
    const rt::ByteSet image = SampleData(100000, 5);
    for (bool endMarker : {false, true}) {
        rt::ByteSet payload = Pack(image, endMarker);
        rt::ByteSet decoded;
        // With an end marker the decoder sees where the data ends. Without one, the last
        // range-coder bytes may still yield a few bytes of nothing, but never a thousand.
        SetDeclaredSize(payload, static_cast<std::uint32_t>(image.size() + (endMarker ? 1 : 1000)));
        EXPECT_NE(UnpackPayload(payload, decoded), 0) << endMarker;
        EXPECT_TRUE(decoded.empty());

        // The stream cut in half, trailer kept.
        rt::ByteSet cut(payload.begin(), payload.begin() + (payload.size() - 9) / 2);
        cut.insert(cut.end(), payload.end() - 9, payload.end());
        SetDeclaredSize(cut, static_cast<std::uint32_t>(image.size()));
        EXPECT_NE(UnpackPayload(cut, decoded), 0) << endMarker;
    }
}

// Images from 1 MiB on are decoded with the image as liblzma's dictionary: with the liblzma
// this build links, that path must be the one that runs.
TEST(PayloadCodec, LargeImagesDecodeInPlace) {
    const rt::ByteSet image = SampleData(3u << 20, 10);
    for (bool endMarker : {false, true}) {
        const rt::ByteSet payload = Pack(image, endMarker);
        rt::ByteSet decoded;
        DecodePath path = DecodePath::kNone;
        ASSERT_EQ(UnpackPayload(payload, decoded, &path), 0);
        EXPECT_TRUE(decoded == image);
        EXPECT_EQ(path, DecodePath::kInPlace) << DecodePathName(path);
        ASSERT_EQ(UnpackPayload(Pack(SampleData(1000, 12)), decoded, &path), 0);
        EXPECT_EQ(path, DecodePath::kPlain) << "a small image goes the plain way";

        // The shared dictionary works with this liblzma, so the plain decoder is not needed.
        lzma_options_lzma options{};
        lzma_lzma_preset(&options, LZMA_PRESET_DEFAULT);
        const auto stream = std::span(payload).first(payload.size() - kPayloadTrailerSize);
        rt::ByteSet inPlace;
        ASSERT_EQ(
            DecodeLzma1InPlace(stream, options, static_cast<std::uint32_t>(image.size()), inPlace),
            LZMA_OK);
        EXPECT_TRUE(inPlace == image);

        rt::ByteSet cut(payload.begin(), payload.end() - 9 - 1000);
        EXPECT_EQ(DecodeLzma1InPlace(std::span<const std::uint8_t>(cut), options,
                                     static_cast<std::uint32_t>(image.size()), inPlace),
                  LZMA_DATA_ERROR);
        EXPECT_EQ(DecodeLzma1InPlace(stream, options,
                                     static_cast<std::uint32_t>(image.size()) + 4000, inPlace),
                  LZMA_DATA_ERROR);
    }
}

TEST(PayloadCodec, DeclaredSizeShorterThanTheStreamGivesTheDeclaredBytes) {
    const rt::ByteSet image = SampleData(20000, 6);
    rt::ByteSet payload = Pack(image);
    SetDeclaredSize(payload, 12345);
    rt::ByteSet decoded;
    EXPECT_EQ(UnpackPayload(payload, decoded), 0);
    EXPECT_EQ(decoded, rt::ByteSet(image.begin(), image.begin() + 12345));
}

TEST(PayloadCodec, AbsurdDeclaredSizeFailsWithoutAllocating) {
    rt::ByteSet payload = Pack(SampleData(1000, 7));
    SetDeclaredSize(payload, 0xFFFFFFFF);
    rt::ByteSet decoded;
    EXPECT_EQ(UnpackPayload(payload, decoded), LZMA_DATA_ERROR);
    EXPECT_TRUE(decoded.empty());
    EXPECT_EQ(decoded.capacity(), 0u);
}

// The plausibility bound must admit what the best compression of the most compressible data
// actually achieves.
TEST(PayloadCodec, ExpansionBoundHoldsForZeros) {
    const rt::ByteSet zeros(32u << 20, 0);
    PayloadOptions options;
    options.preset = 9 | LZMA_PRESET_EXTREME;
    rt::ByteSet payload;
    ASSERT_EQ(PackPayload(zeros, options, payload), LZMA_OK);
    const std::size_t stream = payload.size() - kPayloadTrailerSize;
    EXPECT_TRUE(IsPlausibleImageSize(stream, zeros.size()))
        << stream << " bytes for " << zeros.size();
    rt::ByteSet decoded;
    EXPECT_EQ(UnpackPayload(payload, decoded), 0);
    EXPECT_EQ(decoded.size(), zeros.size());
    EXPECT_FALSE(IsPlausibleImageSize(1, 1u << 30));
}

#ifndef _WIN32
// Interoperation with xz's own raw LZMA1 coder, an implementation independent of ours.
class XzInterop : public ::testing::Test {
  protected:
    static constexpr const char* kOptions = "--format=raw --lzma1=lc=3,lp=0,pb=2,dict=64MiB";

    // Native form: the shell must not see backslashes.
    std::string Path(const char* name) const { return scratch_.Path() + "/" + name; }

    static rt::ByteSet ReadFile(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return rt::ByteSet((std::istreambuf_iterator<char>(in)), {});
    }
    static void WriteFile(const std::string& path, const rt::ByteSet& bytes) {
        std::ofstream(path, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()),
                   static_cast<std::streamsize>(bytes.size()));
    }
    // Runs xz, returns its exit status.
    static int Xz(const std::string& arguments) {
        return std::system(
            ("xz " + std::string(kOptions) + " " + arguments + " 2>/dev/null").c_str());
    }

    archive_test::ScratchDirectory scratch_;
};

TEST_F(XzInterop, ImageCompressedByXzUnpacks) {
    const rt::ByteSet image = SampleData(400000, 8);
    WriteFile(Path("image"), image);
    ASSERT_EQ(Xz("-z -c " + Path("image") + " > " + Path("stream")), 0);
    rt::ByteSet payload = ReadFile(Path("stream"));
    ASSERT_FALSE(payload.empty());
    AppendLzmaProperties(payload, LzmaProperties{});
    AppendU32(payload, static_cast<std::uint32_t>(image.size()));
    rt::ByteSet decoded;
    EXPECT_EQ(UnpackPayload(payload, decoded), 0);
    EXPECT_EQ(decoded, image);
}

TEST_F(XzInterop, PayloadFromThePackerDecodesWithXz) {
    const rt::ByteSet image = SampleData(400000, 9);
    for (bool endMarker : {false, true}) {
        PayloadOptions options;
        options.endMarker = endMarker;
        rt::ByteSet payload;
        ASSERT_EQ(PackPayload(image, options, payload), LZMA_OK);
        payload.resize(payload.size() - kPayloadTrailerSize);
        WriteFile(Path("stream"), payload);
        const int status = Xz("-d -c " + Path("stream") + " > " + Path("decoded"));
        // Without an end marker xz cannot know where the stream ends and says so after
        // writing everything; with one it finishes cleanly.
        if (endMarker) {
            EXPECT_EQ(status, 0);
        }
        EXPECT_EQ(ReadFile(Path("decoded")), image) << "end marker: " << endMarker;
    }
}

// xz's own LZMA_Alone test files, a peer's test set for the decoder. Each file's 13-byte header
// (5 property bytes, u64 size, all ones when unknown) becomes the payload's trailer. The
// reference is liblzma's own LZMA_Alone decoder, which xz uses. A file whose stream goes on past
// its declared size (bad-too_small_size-*) gives exactly the declared bytes: the container's
// size bounds the output as the one-shot decoder of the LZMA SDK does, and the build's image
// checksum is what vouches for the image (see UnpackShippedPayload).
class XzTestFiles : public ::testing::Test {
  protected:
    void SetUp() override {
        std::error_code absent;
        for (const auto& entry : std::filesystem::directory_iterator(XZ_UNPACKED_SOURCE, absent)) {
            if (std::filesystem::exists(entry.path() / "tests" / "files")) folder_ = entry.path();
        }
        if (folder_.empty())
            GTEST_SKIP() << "xz's test files are not in " << XZ_UNPACKED_SOURCE
                         << " (tools/setup.sh unpacks the xz-utils source there)";
        folder_ /= "tests/files";
    }

    rt::ByteSet Read(const char* name) const {
        std::ifstream in(folder_ / name, std::ios::binary);
        return rt::ByteSet((std::istreambuf_iterator<char>(in)), {});
    }

    // What liblzma's LZMA_Alone decoder writes for the whole file, up to its end or its error;
    // `accepted` tells which it was.
    static rt::ByteSet Reference(const rt::ByteSet& file, bool& accepted) {
        lzma_stream stream = LZMA_STREAM_INIT;
        rt::ByteSet out(1 << 16);
        if (lzma_alone_decoder(&stream, UINT64_MAX) != LZMA_OK) return {};
        stream.next_in = file.data();
        stream.avail_in = file.size();
        stream.next_out = out.data();
        stream.avail_out = out.size();
        accepted = lzma_code(&stream, LZMA_FINISH) == LZMA_STREAM_END;
        out.resize(out.size() - stream.avail_out);
        lzma_end(&stream);
        return out;
    }

    static rt::ByteSet AsPayload(const rt::ByteSet& file, std::uint32_t declaredSize) {
        rt::ByteSet payload(file.begin() + 13, file.end());
        payload.insert(payload.end(), file.begin(), file.begin() + 5);
        AppendU32(payload, declaredSize);
        return payload;
    }

    std::filesystem::path folder_;
};

TEST_F(XzTestFiles, GoodOnesDecodeAsXzDoesAndATooLargeSizeFails) {
    struct Case {
        const char* file;
        bool decodes;
    };
    const Case cases[] = {
        {"good-known_size-without_eopm.lzma", true},
        {"good-known_size-with_eopm.lzma", true},
        {"good-unknown_size-with_eopm.lzma", true},
        // Bad for xz only for want of a size, which the container always gives.
        {"bad-unknown_size-without_eopm.lzma", true},
        {"bad-too_big_size-with_eopm.lzma", false},
        {"bad-too_small_size-without_eopm-1.lzma", true},
        {"bad-too_small_size-without_eopm-2.lzma", true},
        {"bad-too_small_size-without_eopm-3.lzma", true},
    };
    for (const Case& c : cases) {
        const rt::ByteSet file = Read(c.file);
        ASSERT_GT(file.size(), 13u) << c.file;
        bool accepted = false;
        const rt::ByteSet reference = Reference(file, accepted);
        ASSERT_FALSE(reference.empty()) << c.file;
        EXPECT_EQ(accepted, std::string_view(c.file).starts_with("good")) << c.file;
        const std::uint64_t stored =
            ReadU32(file.data() + 5) | std::uint64_t{ReadU32(file.data() + 9)} << 32;
        const auto declared =
            static_cast<std::uint32_t>(stored == UINT64_MAX ? reference.size() : stored);
        rt::ByteSet decoded{1};
        const int result = UnpackPayload(AsPayload(file, declared), decoded);
        if (c.decodes) {
            EXPECT_EQ(result, LZMA_OK) << c.file;
            EXPECT_EQ(decoded, reference) << c.file;
            EXPECT_EQ(decoded.size(), declared) << c.file;
        } else {
            EXPECT_EQ(result, LZMA_DATA_ERROR) << c.file;
            EXPECT_TRUE(decoded.empty()) << c.file;
        }
    }
}
#endif

}  // namespace
}  // namespace inst

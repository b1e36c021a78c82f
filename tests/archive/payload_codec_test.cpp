#include <lzma.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <random>

#include "installer/archive_format.h"
#include "installer/lzma_in_place_decoder.h"
#include "installer/payload_codec.h"
#include "installer/payload_encoder.h"
#include "tests/archive/archive_test_support.h"

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

// Images from 1 MiB on are decoded with the image as liblzma's dictionary.
TEST(PayloadCodec, LargeImagesDecodeInPlace) {
    const rt::ByteSet image = SampleData(3u << 20, 10);
    for (bool endMarker : {false, true}) {
        const rt::ByteSet payload = Pack(image, endMarker);
        rt::ByteSet decoded;
        ASSERT_EQ(UnpackPayload(payload, decoded), 0);
        EXPECT_TRUE(decoded == image);

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
        EXPECT_EQ(
            DecodeLzma1InPlace(cut, options, static_cast<std::uint32_t>(image.size()), inPlace),
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
#endif

}  // namespace
}  // namespace inst

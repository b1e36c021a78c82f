// The product art as the program sees it: every committed image decodes with GDI+ through the
// toolkit's loader and has the pixel size, frame layout and transparency that the elements
// drawing it rely on.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <iterator>
#include <ostream>
#include <string>
#include <vector>

#include "toolkit/core/images.h"

namespace ui::test {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes ReadArt(const std::string& name) {
    std::ifstream in(ART_ROOT + name, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

bool EndsWith(const std::string& text, const std::string& tail) {
    return text.size() >= tail.size() &&
           text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

class GdiplusSession : public ::testing::Environment {
  public:
    void SetUp() override {
        Gdiplus::GdiplusStartupInput input;
        ASSERT_EQ(Gdiplus::GdiplusStartup(&token_, &input, nullptr), Gdiplus::Ok);
    }
    void TearDown() override { Gdiplus::GdiplusShutdown(token_); }

  private:
    ULONG_PTR token_ = 0;
};
[[maybe_unused]] const auto* const kGdiplus =
    ::testing::AddGlobalTestEnvironment(new GdiplusSession);

// Decoded pixels, 32bppARGB, row after row.
struct Pixels {
    int width = 0;
    int height = 0;
    std::vector<ARGB> argb;

    ARGB At(int x, int y) const { return argb[static_cast<std::size_t>(y) * width + x]; }
    int Alpha(int x, int y) const { return static_cast<int>(At(x, y) >> 24); }
};

Pixels Decode(const Bytes& bytes, bool addSignature) {
    Pixels pixels;
    LoadedImage image = LoadImage(bytes, addSignature);
    if (!image) return pixels;
    ImageSize size = SizeOf(image.Get());
    Gdiplus::Rect whole{0, 0, size.width, size.height};
    Gdiplus::BitmapData data{};
    if (gp::GdipBitmapLockBits(AsBitmap(image.Get()), &whole, Gdiplus::ImageLockModeRead,
                               PixelFormat32bppARGB, &data) != Gdiplus::Ok)
        return pixels;
    pixels.width = size.width;
    pixels.height = size.height;
    pixels.argb.resize(static_cast<std::size_t>(size.width) * size.height);
    for (int y = 0; y < size.height; ++y)
        std::memcpy(&pixels.argb[static_cast<std::size_t>(y) * size.width],
                    static_cast<const std::uint8_t*>(data.Scan0) + y * data.Stride,
                    size.width * sizeof(ARGB));
    gp::GdipBitmapUnlockBits(AsBitmap(image.Get()), &data);
    return pixels;
}

// Frames side by side: `count` frames `width` wide, one every `step` pixels from x = 0.
struct Frames {
    int count;
    int width;
    int step;
    bool statesDiffer;  // a button's states, which a person must tell apart
};

enum class Alpha {
    Opaque,       // every pixel
    ClearCorner,  // the top-left pixel lets the background through
    Soft,         // partly transparent throughout, never opaque
};

struct ArtCase {
    const char* file;
    int width;
    int height;
    Frames frames;
    Alpha alpha;
};

void PrintTo(const ArtCase& art, std::ostream* out) {
    *out << art.file;
}

const ArtCase kArt[] = {
    // The fourth, unused frame of the button skin starts a pixel later and is a pixel narrower.
    {"toolkit/glow_button_skin.png", 55, 28, {4, 13, 14, true}, Alpha::ClearCorner},
    {"toolkit/check_sheet.body", 68, 17, {4, 17, 17, true}, Alpha::ClearCorner},
    {"toolkit/shadow.png", 210, 143, {1, 210, 210, false}, Alpha::Soft},
    {"wizard/banner.jpg", 1175, 600, {1, 1175, 1175, false}, Alpha::Opaque},
    {"wizard/logo.png", 474, 49, {3, 158, 158, true}, Alpha::ClearCorner},
    {"wizard/title_close.png", 108, 22, {4, 27, 27, true}, Alpha::ClearCorner},
    {"wizard/title_minimise.png", 108, 22, {4, 27, 27, true}, Alpha::ClearCorner},
    {"wizard/title_menu.png", 108, 22, {4, 27, 27, true}, Alpha::ClearCorner},
    {"wizard/title_chat_group.png", 108, 22, {4, 27, 27, true}, Alpha::ClearCorner},
    {"wizard/menu_help.png", 16, 16, {1, 16, 16, false}, Alpha::ClearCorner},
    {"wizard/menu_home.png", 16, 16, {1, 16, 16, false}, Alpha::ClearCorner},
    {"wizard/menu_forum.png", 16, 16, {1, 16, 16, false}, Alpha::ClearCorner},
    {"wizard/menu_exit.png", 16, 16, {1, 16, 16, false}, Alpha::ClearCorner},
    {"wizard/install_button.png", 630, 90, {3, 210, 210, true}, Alpha::ClearCorner},
    {"toolkit/message_icons.png", 200, 40, {5, 40, 40, true}, Alpha::ClearCorner},
    {"toolkit/message_background.png", 2, 160, {1, 2, 2, false}, Alpha::Opaque},
};

class Art : public ::testing::TestWithParam<ArtCase> {
  protected:
    Pixels Load() const {
        // Images kept without their PNG signature are loaded with it put back.
        bool body = EndsWith(GetParam().file, ".body");
        Bytes bytes = ReadArt(GetParam().file);
        if (body && bytes.size() > 8) {
            EXPECT_EQ(0, std::memcmp(&bytes[4], "IHDR", 4)) << "starts at IHDR";
        }
        return Decode(bytes, body);
    }
};

int Distance(ARGB a, ARGB b) {
    int most = 0;
    for (int shift = 0; shift < 32; shift += 8) {
        int d = static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF);
        most = std::max(most, d < 0 ? -d : d);
    }
    return most;
}

// Pixels that differ enough to be seen between the frames starting at x = a and x = b.
int VisibleDifferences(const Pixels& pixels, const Frames& frames, int a, int b) {
    int count = 0;
    for (int y = 0; y < pixels.height; ++y)
        for (int x = 0; x < frames.width; ++x)
            if (Distance(pixels.At(a + x, y), pixels.At(b + x, y)) > 24) ++count;
    return count;
}

TEST_P(Art, HasItsSizeAndFrameLayout) {
    const ArtCase& art = GetParam();
    Pixels pixels = Load();
    ASSERT_EQ(pixels.width, art.width) << "not decoded, or another width";
    ASSERT_EQ(pixels.height, art.height);
    const Frames& frames = art.frames;
    for (int x = 0; x < pixels.width; ++x) {
        bool inFrame = x % frames.step < frames.width && x / frames.step < frames.count;
        bool drawn = false;
        for (int y = 0; y < pixels.height; ++y)
            drawn = drawn || pixels.Alpha(x, y) > 0;
        // Gaps between frames stay clear; a column drawn into a gap means a shifted frame.
        if (!inFrame) {
            EXPECT_FALSE(drawn) << "column " << x << " lies between frames";
        }
    }
    for (int i = 0; i < frames.count; ++i) {
        int drawn = 0;
        for (int y = 0; y < pixels.height; ++y)
            for (int x = 0; x < frames.width; ++x)
                drawn += pixels.Alpha(i * frames.step + x, y) > 0;
        EXPECT_GT(drawn, 0) << "frame " << i + 1 << " is empty";
    }
    if (!frames.statesDiffer) return;
    for (int i = 0; i < frames.count; ++i)
        for (int j = i + 1; j < frames.count; ++j)
            EXPECT_GE(VisibleDifferences(pixels, frames, i * frames.step, j * frames.step), 8)
                << "frames " << i + 1 << " and " << j + 1 << " look the same";
}

TEST_P(Art, HasTheTransparencyItsUseNeeds) {
    const ArtCase& art = GetParam();
    Pixels pixels = Load();
    ASSERT_EQ(pixels.width, art.width);
    int opaque = 0, clear = 0;
    for (ARGB colour : pixels.argb) {
        opaque += (colour >> 24) == 0xFF;
        clear += (colour >> 24) == 0;
    }
    int total = static_cast<int>(pixels.argb.size());
    switch (art.alpha) {
        case Alpha::Opaque:
            EXPECT_EQ(opaque, total);
            break;
        case Alpha::ClearCorner:
            EXPECT_EQ(pixels.Alpha(0, 0), 0);
            EXPECT_GT(opaque, 0);
            break;
        case Alpha::Soft:
            EXPECT_EQ(opaque, 0);
            EXPECT_GT(clear, 0);
            EXPECT_LT(clear, total);
            break;
    }
}

INSTANTIATE_TEST_SUITE_P(Committed, Art, ::testing::ValuesIn(kArt));

// The shadow is drawn nine-grid with margins (103, 69, 107, 73), which meet at column 103 and
// row 69: those carry the edge that is stretched along the window, so they must match the
// shadow's profile along the middle of each edge. It is a palette PNG with an alpha per entry.
TEST(Shadow, IsAPalettePngWhoseSeamsMatchItsEdges) {
    Bytes bytes = ReadArt("toolkit/shadow.png");
    ASSERT_GT(bytes.size(), 33u);
    EXPECT_EQ(bytes[25], 3) << "colour type: palette";
    std::string text(bytes.begin(), bytes.end());
    EXPECT_NE(text.find("tRNS"), std::string::npos) << "palette without alpha";

    Pixels pixels = Decode(bytes, false);
    ASSERT_EQ(pixels.width, 210);
    for (int y = 0; y < pixels.height; ++y)
        for (int x : {60, 150})
            EXPECT_EQ(pixels.Alpha(103, y), pixels.Alpha(x, y)) << "row " << y;
    for (int x = 0; x < pixels.width; ++x)
        for (int y : {30, 110})
            EXPECT_EQ(pixels.Alpha(x, 69), pixels.Alpha(x, y)) << "column " << x;
}

// The application icon holds 16, 32, 48 and 256 pixel pictures, each a 32-bit RGBA PNG that
// the system itself makes an icon of at its size. Each corner is clear, as the tile has round
// corners.
TEST(AppIcon, HoldsFourSizesOfRgbaPngThatTheSystemReads) {
    Bytes ico = ReadArt("program/app.ico");
    ASSERT_GT(ico.size(), 6u + 4 * 16);
    auto u16 = [&](std::size_t at) { return ico[at] | ico[at + 1] << 8; };
    auto u32 = [&](std::size_t at) {
        return static_cast<std::uint32_t>(u16(at) | u16(at + 2) << 16);
    };
    EXPECT_EQ(u16(2), 1) << "type: icon";
    ASSERT_EQ(u16(4), 4);
    const int sizes[] = {16, 32, 48, 256};
    for (int i = 0; i < 4; ++i) {
        std::size_t entry = 6 + 16 * i;
        int size = ico[entry] == 0 ? 256 : ico[entry];
        EXPECT_EQ(size, sizes[i]);
        std::uint32_t length = u32(entry + 8), offset = u32(entry + 12);
        ASSERT_LE(std::size_t{offset} + length, ico.size());
        Bytes picture(ico.begin() + offset, ico.begin() + offset + length);
        ASSERT_GT(picture.size(), 26u);
        EXPECT_EQ(std::memcmp(picture.data(), "\x89PNG", 4), 0) << size;
        EXPECT_EQ(picture[24], 8) << size << ": bits per channel";
        EXPECT_EQ(picture[25], 6) << size << ": colour type RGBA";
        Pixels pixels = Decode(picture, false);
        EXPECT_EQ(pixels.width, size);
        EXPECT_EQ(pixels.height, size);
        if (!pixels.argb.empty()) {
            EXPECT_EQ(pixels.Alpha(0, 0), 0) << size;
        }
        HICON icon = CreateIconFromResourceEx(picture.data(), length, TRUE, 0x00030000, size, size,
                                              LR_DEFAULTCOLOR);
        EXPECT_NE(icon, nullptr) << size;
        if (icon) DestroyIcon(icon);
    }
}

}  // namespace
}  // namespace ui::test

// The window itself in a whole-window refresh: background image and colour, the paint callback,
// the rounded shape and soft shadow.
#include <gtest/gtest.h>

#include <vector>
#include "tests/toolkit/toolkit_test_support.h"
#include "toolkit/core/shapes.h"

namespace ui::test {
namespace {

AttachOptions WithImage(const std::vector<std::uint8_t>& png, BackgroundMode mode) {
    AttachOptions options;
    options.captionFlags = 0;
    options.backgroundImage = png;
    options.settings.backgroundMode = mode;
    return options;
}

TEST(Background, AnImageInItsModeOverTheBackgroundColour) {
    std::vector<std::uint8_t> png = SolidPng(20, 10, kRed);
    TestWindow natural(WithImage(png, BackgroundMode::kNatural));
    EXPECT_TRUE(NearColour(BackPixel(*natural.host, 10, 8), kRedPixel, 2));
    EXPECT_TRUE(NearColour(BackPixel(*natural.host, 26, 8), kBackground, 2));
    EXPECT_TRUE(NearColour(BackPixel(*natural.host, 10, 20), kBackground, 2));

    TestWindow stretched(WithImage(png, BackgroundMode::kStretch));
    EXPECT_TRUE(NearColour(BackPixel(*stretched.host, 190, 125), kRedPixel, 2));
    EXPECT_TRUE(NearColour(BackPixel(*stretched.host, 360, 230), kRedPixel, 2));

    TestWindow centred(WithImage(png, BackgroundMode::kCentre));
    EXPECT_TRUE(NearColour(BackPixel(*centred.host, 181, 121), kRedPixel, 2));  // from (180, 120)
    EXPECT_TRUE(NearColour(BackPixel(*centred.host, 178, 121), kBackground, 2));
    EXPECT_TRUE(NearColour(BackPixel(*centred.host, 201, 121), kBackground, 2));
}

TEST(Background, CornerStyleOneDrawsTheImageOverTheWholeWindowWithoutFrame) {
    AttachOptions options = WithImage(SolidPng(380, 250, kRed), BackgroundMode::kNatural);
    options.settings.cornerStyle = CornerStyle::kNineGrid;
    TestWindow w(options);
    EXPECT_TRUE(NearColour(BackPixel(*w.host, 0, 0), kRedPixel, 2));
    EXPECT_TRUE(NearColour(BackPixel(*w.host, 6, 100), kRedPixel, 2));  // where the frame would be
    EXPECT_TRUE(NearColour(BackPixel(*w.host, 379, 249), kRedPixel, 2));
}

TEST(Background, ALayeredWindowShowsItsBackgroundThroughItsAlpha) {
    AttachOptions options;
    options.captionFlags = 0;
    options.settings.layeredAlpha = 200;
    TestWindow plainColour(options);
    EXPECT_EQ(BackPixel(*plainColour.host, 100, 100).a, 200);

    options.backgroundImage = SolidPng(20, 20, kRed);
    options.settings.layeredAlpha = 128;
    TestWindow withImage(options);
    EXPECT_NEAR(BackPixel(*withImage.host, 10, 10).a, 128, 2);
    EXPECT_TRUE(NearColour(BackPixel(*withImage.host, 10, 10), {255, 0, 0, 128}, 3));
}

TEST(Background, TheCallbackPaintsAfterTheBackgroundAndBeforeTheElements) {
    AttachOptions options;
    options.captionFlags = 0;
    HostWindow host;
    HWND window = CreateHostWindow({});
    std::vector<int> sizes;
    host.Callbacks().backgroundPaint = [&](HWND, GpGraphics* g, int width, int height) {
        sizes = {width, height};
        FillSolid(g, {0, 86, 400, 300}, 0xFEFFFFFF);
    };
    ASSERT_TRUE(host.Attach(window, options));
    EXPECT_EQ(sizes, (std::vector<int>{380, 250}));
    EXPECT_TRUE(NearColour(BackPixel(host, 100, 50), kBackground, 2));
    EXPECT_TRUE(NearColour(BackPixel(host, 100, 150), {255, 255, 255, 255}, 2));
    DestroyWindow(window);
}

TEST(WindowShape, RoundedCornersOfALayeredWindowAreTransparent) {
    AttachOptions options = Bare();
    options.settings.layeredAlpha = 255;
    TestWindow w(options);
    int right = w.host->Width() - 1, bottom = w.host->Height() - 1;
    for (auto [x, y] : {std::pair{0, 0}, {right, 0}, {0, bottom}, {right, bottom}}) {
        EXPECT_EQ(w.host->Composition().BackBuffer().Pixel(x, y) >> 24, 0u) << x << "," << y;
    }
    // The content is opaque; the soft outer shadow fades out towards the edges.
    EXPECT_TRUE(NearColour(BackPixel(*w.host, 100, 100), kBackground, 2));
    std::uint32_t shadowNear = w.host->Composition().BackBuffer().Pixel(100, 5) >> 24;
    std::uint32_t shadowFar = w.host->Composition().BackBuffer().Pixel(100, 2) >> 24;
    EXPECT_GT(shadowNear, shadowFar);
    EXPECT_GT(shadowFar, 0u);
    EXPECT_TRUE(GetWindowLongW(w.window, GWL_EXSTYLE) & WS_EX_LAYERED);
}

TEST(WindowShape, RoundedCornersOfAPlainWindowLieOutsideTheWindowRegion) {
    TestWindow rounded(Bare());
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(GetWindowRgn(rounded.window, region), ERROR);
    int right = rounded.host->Width() - 1, bottom = rounded.host->Height() - 1;
    EXPECT_FALSE(PtInRegion(region, 0, 0));
    EXPECT_FALSE(PtInRegion(region, right, bottom));
    EXPECT_FALSE(PtInRegion(region, 6, 6));  // cut by the round corner
    EXPECT_TRUE(PtInRegion(region, 8, 8));
    EXPECT_TRUE(PtInRegion(region, 100, 100));

    AttachOptions square = Bare();
    square.settings.cornerStyle = CornerStyle::kSquare;
    TestWindow plain(square);
    ASSERT_NE(GetWindowRgn(plain.window, region), ERROR);
    EXPECT_TRUE(PtInRegion(region, 6, 6));
    EXPECT_FALSE(PtInRegion(region, 5, 5));
    DeleteObject(region);
}

}  // namespace
}  // namespace ui::test

// The picture element: still images in each draw mode, animated GIF frames with their delays,
// replacing the picture, icons.
#include <gtest/gtest.h>

#include <vector>

#include "kThreeFrameGif.h"
#include "tests/toolkit/toolkit_test_support.h"
#include "toolkit/core/picture.h"

namespace ui::test {
namespace {

std::vector<std::uint8_t> ThreeFrameGif() {
    ByteView bytes = EmbeddedBytes(kThreeFrameGif);
    return {bytes.begin(), bytes.end()};
}

// Remembers which colour each paint showed, and when.
class WatchedPicture : public Picture {
  public:
    struct Shown {
        Rgba colour;
        DWORD at;
    };
    std::vector<Shown> shown;

  protected:
    void AfterPaint(PaintContext&) override {
        shown.push_back({ImagePixel(BackingBitmap(), 2, 2), GetTickCount()});
    }
};

int ColourIndex(const Rgba& c) {  // 1 red, 2 green, 3 blue: the GIF's frames
    if (c.r > 200 && c.g < 60 && c.b < 60) return 1;
    if (c.g > 200 && c.r < 60 && c.b < 60) return 2;
    if (c.b > 200 && c.r < 60 && c.g < 60) return 3;
    return 0;
}

TEST(Picture, AGifShowsItsFramesWithTheDelayOfTheFrameAboutToBeShownAndFreezesOnFrameOne) {
    TestWindow w(Bare());
    WatchedPicture picture;
    ASSERT_TRUE(picture.Create(w.window, {.rect = {20, 40, 8, 8},
                                          .image = ThreeFrameGif(),
                                          .animate = true,
                                          .fixZeroDelays = true}));
    EXPECT_EQ(picture.FrameCount(), 3);
    EXPECT_EQ(picture.Delays(), (std::vector<int>{10, 10, 20}));
    ASSERT_TRUE(PumpUntil([&] { return picture.shown.size() >= 5; }, 3000));
    // Frames 1, 2, 3, 1, 2; each is shown after the wait its own delay asks for.
    const int expected[] = {1, 2, 3, 1, 2};
    const DWORD waits[] = {0, 100, 200, 100, 100};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(ColourIndex(picture.shown[i].colour), expected[i]) << "paint " << i;
        if (i == 0) continue;
        DWORD waited = picture.shown[i].at - picture.shown[i - 1].at;
        EXPECT_GE(waited + 16, waits[i]) << "paint " << i;
        EXPECT_LE(waited, waits[i] + 80) << "paint " << i;
    }

    picture.SetAnimate(false);
    std::size_t paints = picture.shown.size();
    PumpFor(400);
    EXPECT_EQ(ColourIndex(picture.shown.back().colour), 1);
    EXPECT_LE(picture.shown.size(), paints + 1);  // no more frames after the timer's last tick
    EXPECT_TRUE(NearColour(BackPixel(*w.host, 24, 44), kRedPixel, 2));
}

TEST(Picture, WithoutTheZeroDelayFixTheDelaysAreTheImagesOwn) {
    TestWindow w(Bare());
    Picture picture;
    ASSERT_TRUE(picture.Create(w.window, {.rect = {20, 40, 8, 8}, .image = ThreeFrameGif()}));
    EXPECT_EQ(picture.Delays(), (std::vector<int>{10, 0, 20}));
    PumpFor(150);
    EXPECT_EQ(picture.CurrentFrame(), 1);  // not animated: the first frame stays
}

TEST(Picture, EachDrawModePlacesAStillImage) {
    struct Case {
        ImageDrawMode mode;
        int x, y;        // a point inside the image's place in the 40 x 30 element at (20, 40)
        int outX, outY;  // a point outside it
    };
    const Case cases[] = {
        {ImageDrawMode::kNatural, 21, 41, 35, 45},
        {ImageDrawMode::kStretch, 58, 68, -1, -1},
        {ImageDrawMode::kCentre, 40, 55, 21, 41},
        {ImageDrawMode::kNineGrid, 21, 41, 35, 45},  // no margins: natural size at the top-left
    };
    TestWindow w(Bare());
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.mode));
        Picture picture;
        ASSERT_TRUE(picture.Create(
            w.window,
            {.rect = {20, 40, 40, 30}, .image = SolidPng(10, 10, kRed), .drawMode = c.mode}));
        EXPECT_EQ(picture.FrameCount(), 1);
        EXPECT_EQ(picture.Delays(), (std::vector<int>{10}));
        w.host->RepaintRect(picture.Rect(), false);
        EXPECT_TRUE(NearColour(BackPixel(*w.host, c.x, c.y), kRedPixel, 2));
        if (c.outX < 0) continue;
        EXPECT_TRUE(NearColour(BackPixel(*w.host, c.outX, c.outY), kBackground, 2));
    }
}

TEST(Picture, ReplacingWithATransitionFadesFromTheOldPictureToTheNew) {
    TestWindow w(Bare());
    Picture picture;
    ASSERT_TRUE(
        picture.Create(w.window, {.rect = {20, 40, 10, 10}, .image = SolidPng(10, 10, kRed)}));
    picture.SetBackgroundColor(kBlue);
    picture.ReplaceImage(SolidPng(10, 10, kGreen), TransitionStyle::kCrossFade, 3, 20);
    EXPECT_NE(picture.Snapshot(), nullptr);
    EXPECT_EQ(picture.AnimationFrames(), 3);
    ASSERT_TRUE(PumpUntil([&] { return picture.AnimationFrames() == 0; }));
    EXPECT_TRUE(NearColour(BackPixel(*w.host, 25, 45), kGreenPixel, 2));
    // Without a transition the new picture shows at once.
    picture.ReplaceImage(SolidPng(10, 10, kRed));
    PumpFor(30);
    EXPECT_TRUE(NearColour(BackPixel(*w.host, 25, 45), kRedPixel, 2));
}

TEST(Picture, FromAnIconItShowsTheIconAndItsBackgroundColourAroundIt) {
    TestWindow w(Bare());
    HICON icon = SolidIcon(RGB(0, 255, 0));
    Picture picture;
    ASSERT_TRUE(picture.CreateFromIcon(
        w.window, {.rect = {20, 40, 24, 24}, .drawMode = ImageDrawMode::kNatural}, icon));
    picture.SetBackgroundColor(kBlue);
    w.host->RepaintRect(picture.Rect(), false);
    EXPECT_TRUE(NearColour(BackPixel(*w.host, 30, 50), kGreenPixel, 2));
    EXPECT_TRUE(NearColour(BackPixel(*w.host, 40, 60), {0, 0, 255, 255}, 2));
    DestroyIcon(icon);
}

}  // namespace
}  // namespace ui::test

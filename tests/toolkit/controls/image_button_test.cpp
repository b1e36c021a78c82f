// Image buttons: the frame each state shows, the disabled frame, focus, and the draw mode.
#include <gtest/gtest.h>

#include <vector>

#include "tests/toolkit/toolkit_test_support.h"
#include "toolkit/controls/image_button.h"

namespace ui::test {
namespace {

// A strip of 10 x 8 frames, one colour each.
std::vector<std::uint8_t> StripPng(const std::vector<ARGB>& colours) {
    ImagePtr strip = NewArgbBitmap(10 * static_cast<int>(colours.size()), 8);
    GraphicsPtr g = NewSmoothGraphics(strip.get());
    for (std::size_t i = 0; i < colours.size(); ++i) {
        FillReplacing(g.get(), {10.0f * i, 0, 10, 8}, colours[i]);
    }
    g.reset();
    return EncodePng(strip.get());
}

const std::vector<ARGB> kFourFrames = {kRed, kGreen, kBlue, kYellow};
const Rgba kYellowPixel{255, 255, 0, 255};

struct Button {
    TestWindow w{Bare()};
    ImageButton button;
    explicit Button(const std::vector<ARGB>& frames) {
        button.Create(w.window, {.rect = {20, 40, 10, 9}});
        button.SetImage(StripPng(frames), static_cast<int>(frames.size()));
    }
    Rgba Face() { return ImagePixel(button.BackingBitmap(), 5, 4); }
    Rgba Shown() {
        w.host->RepaintRect(button.Rect(), false);
        return BackPixel(*w.host, 25, 44);
    }
};

TEST(ImageButton, EachStateShowsItsFrameOfTheStrip) {
    const std::pair<int, Rgba> states[] = {
        {kStateNormal, kRedPixel},
        {kStateHover, kGreenPixel},
        {kStatePressed, {0, 0, 255, 255}},
        {kStateFocused, kGreenPixel},  // the hover frame
    };
    Button b(kFourFrames);
    EXPECT_EQ(b.button.TypeId(), ElementType::kImageButton);
    for (const auto& [state, colour] : states) {
        b.button.PaintState(state, false);
        EXPECT_TRUE(NearColour(b.Face(), colour, 2)) << "state " << state;
    }
}

TEST(ImageButton, DisabledAFourFrameStripShowsFrameFourAtFullAlphaAThreeFrameOneFrameOneAtHalf) {
    Button four(kFourFrames);
    four.button.SetDisabled(true);
    PumpFor(30);  // the posted mouse-leave repaints the face
    EXPECT_TRUE(NearColour(four.Shown(), kYellowPixel, 2));

    Button three({kRed, kGreen, kBlue});
    three.button.SetDisabled(true);
    PumpFor(30);
    const Rgba halfRed{127, 68, 128, 255};  // red at 127/255 over the blue background
    EXPECT_TRUE(NearColour(three.Shown(), halfRed, 3));
}

TEST(ImageButton, TheFocusAloneDoesNotChangeItsFace) {
    Button b(kFourFrames);
    HWND window = b.w.window;
    SendMessageW(window, WM_MOUSEMOVE, 0, MAKELPARAM(25, 44));
    SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(25, 44));
    SendMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(25, 44));
    ASSERT_EQ(b.w.host->Elements().Focus(), &b.button);
    EXPECT_TRUE(NearColour(b.Face(), kGreenPixel, 2));  // hover, focused
    SendMessageW(window, WM_MOUSELEAVE, 0, 0);
    EXPECT_TRUE(NearColour(b.Face(), kRedPixel, 2));  // normal, still focused
    Element other;
    ASSERT_TRUE(other.Create(window, SpecAt(100, 100, 10, 10)));
    b.w.host->Elements().SetFocusElement(&other, true);
    b.w.host->Elements().SetFocusElement(&b.button, true);
    EXPECT_EQ(b.w.host->Elements().KeyboardFocus(), &b.button);
    EXPECT_TRUE(NearColour(b.Face(), kRedPixel, 2));
}

TEST(ImageButton, TheDrawModeStaysWhenSetImageLeavesItOut) {
    Button b(kFourFrames);
    EXPECT_EQ(b.button.DrawMode(), ImageDrawMode::kNatural);
    b.button.Move({}, {}, 30.0f, 20.0f);
    EXPECT_FALSE(NearColour(ImagePixel(b.button.BackingBitmap(), 20, 15), kRedPixel, 2));
    b.button.SetImage(StripPng(kFourFrames), 4, 0, ImageDrawMode::kStretch);
    b.button.SetImage(StripPng(kFourFrames), 4);
    EXPECT_EQ(b.button.DrawMode(), ImageDrawMode::kStretch);
    EXPECT_TRUE(NearColour(ImagePixel(b.button.BackingBitmap(), 20, 15), kRedPixel, 2));
}

TEST(ImageButton, WithoutADecodableStripOrWithoutFramesItHasNoFace) {
    Button b(kFourFrames);
    const std::vector<std::uint8_t> junk = {1, 2, 3};
    b.button.SetImage(junk, 4);
    EXPECT_EQ(b.Face().a, 0);
    b.button.SetImage(StripPng(kFourFrames), 0);
    EXPECT_EQ(b.Face().a, 0);
}

}  // namespace
}  // namespace ui::test

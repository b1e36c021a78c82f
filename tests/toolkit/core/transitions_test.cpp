// The default transitions between an element's old and new look.
#include <gtest/gtest.h>

#include "tests/toolkit/toolkit_test_support.h"

namespace ui::test {
namespace {

// Paints itself in a colour that the test changes; its fades are stepped by hand.
class TwoLooks : public Element {
  public:
    ~TwoLooks() override { Destroy(); }
    void ChangeTo(ARGB next) {
        colour = next;
        SetAnimationFrames(4);
        Redraw();
    }
    ARGB colour = kRed;

  protected:
    void OnPaint() override { PaintFace(); }
    void OnTransitionEnd() override { SetAnimationFrames(0); }
    void DrawFace(PaintContext&) override { gp::GdipGraphicsClear(BackingGraphics(), colour); }
};

struct TransitionFixture {
    TestWindow w{[] {
        AttachOptions options;
        options.captionFlags = 0;
        return options;
    }()};
    TwoLooks element;

    explicit TransitionFixture(TransitionStyle style) {
        ElementSpec spec;
        spec.rect = {40, 40, 40, 20};
        spec.animationInterval = 60000;  // the timer never fires here; ticks come from the test
        spec.transition = style;
        element.Create(w.window, spec);
        element.ChangeTo(kRed);  // red was the look before: the fade starts from red
        for (int i = 0; i < 4; ++i)
            element.AnimationTick();
        element.ChangeTo(kGreen);
    }
    Rgba At(int x) { return BackPixel(*w.host, x, 50); }
};

TEST(Transitions, SlideRightMovesTheOldLookOutAndTheNewOneInFromTheLeft) {
    TransitionFixture f(TransitionStyle::kSlideRight);
    ASSERT_NE(f.element.Snapshot(), nullptr);
    const Rgba green{0, 255, 0, 255};
    for (int frame = 1; frame <= 3; ++frame) {
        f.element.AnimationTick();
        int boundary = 40 + 10 * frame;  // step = width 40 / 4 frames
        EXPECT_TRUE(NearColour(f.At(boundary - 2), green, 2)) << "frame " << frame;
        EXPECT_TRUE(NearColour(f.At(boundary + 1), kRedPixel, 2)) << "frame " << frame;
    }
    f.element.AnimationTick();  // the last frame shows the new look
    EXPECT_TRUE(NearColour(f.At(78), green, 2));
    EXPECT_EQ(f.element.AnimationFrames(), 0);
    EXPECT_EQ(f.element.Snapshot(), nullptr);
}

TEST(Transitions, SlideUpBringsTheNewLookInFromBelow) {
    TransitionFixture f(TransitionStyle::kSlideUp);
    f.element.AnimationTick();  // offset 20 / 4 = 5
    EXPECT_TRUE(NearColour(BackPixel(*f.w.host, 60, 41), kRedPixel, 2));
    EXPECT_TRUE(NearColour(BackPixel(*f.w.host, 60, 56), {0, 255, 0, 255}, 2));
    EXPECT_TRUE(NearColour(BackPixel(*f.w.host, 60, 62), kBackground, 2));  // clipped below
}

TEST(Transitions, CrossFadeBlendsTheNewLookInOverTheOld) {
    TransitionFixture f(TransitionStyle::kCrossFade);
    f.element.AnimationTick();  // frame 1 of 4: green at 255 / 4
    EXPECT_TRUE(NearColour(f.At(60), {192, 63, 0, 255}, 3));
    f.element.AnimationTick();
    EXPECT_TRUE(NearColour(f.At(60), {128, 127, 0, 255}, 3));
}

}  // namespace
}  // namespace ui::test

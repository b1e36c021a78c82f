// Glow buttons: the skin frame of each state, and the light that runs round the border while the
// button has the focus.
#include <gtest/gtest.h>

#include <array>

#include "art/toolkit_art.h"
#include "tests/toolkit/toolkit_test_support.h"
#include "toolkit/controls/glow_button.h"

namespace ui::test {
namespace {

struct Glow {
    TestWindow w{Bare()};
    GlowButton button;
    Glow() { button.Create(w.window, {.rect = {20, 40, 80, 28}, .text = "确定"}); }
    void Focus() { w.host->Elements().SetFocusElement(&button, true); }
};

int Brightness(const Rgba& c) {
    return (c.r + c.g + c.b) * c.a / 255;
}

TEST(GlowButton, TheSkinIsA55By28StripAndEachStateShowsItsFrame) {
    LoadedImage skin = LoadImage(art::Bytes(art::ToolkitImage::kGlowButtonSkin));
    ASSERT_TRUE(skin);
    EXPECT_EQ(SizeOf(skin.Get()).width, 55);
    EXPECT_EQ(SizeOf(skin.Get()).height, 28);
    Glow g;
    EXPECT_EQ(g.button.TypeId(), ElementType::kGlowButton);
    const std::pair<int, int> frames[] = {{kStateNormal, 0},
                                          {kStateHover, 14},
                                          {kStatePressed, 28},
                                          {kStateFocused, 14},
                                          {kStateDisabled, 0}};
    for (auto [state, left] : frames) {
        g.button.PaintState(state, false);
        // The nine-grid copies its corners pixel for pixel: the top-left 5 x 5 and the
        // bottom-right 3 x 15 of the frame.
        for (auto [x, y, sx, sy] : {std::array{1, 1, 1, 1}, {3, 4, 3, 4}, {78, 20, 11, 21}}) {
            EXPECT_TRUE(NearColour(ImagePixel(g.button.BackingBitmap(), x, y),
                                   ImagePixel(skin.Get(), left + sx, sy), 3))
                << "state " << state << " at " << x << "," << y;
        }
    }
}

TEST(GlowButton, TheLightStartsAtSixZeroAndTravelsClockwiseClampedAtTheCorners) {
    struct Step {
        int ticks;
        float x, y;
        int phase;
    };
    // Width 80: the top edge ends at x = 78; height 28: the right edge at y = 24.
    const Step steps[] = {
        {0, 6, 0, 1},   {1, 12, 0, 1},  {12, 78, 0, 1},  // at the limit, still going right
        {13, 78, 0, 2}, {14, 78, 6, 2}, {17, 78, 24, 2}, {18, 78, 24, 3},
        {30, 6, 24, 3}, {31, 0, 24, 4}, {35, 0, 0, 1},   {36, 6, 0, 1},
    };
    Glow g;
    g.Focus();
    ASSERT_TRUE(g.button.GlowActive());
    int done = 0;
    for (const Step& step : steps) {
        for (; done < step.ticks; ++done)
            g.button.AdvanceGlow();
        EXPECT_FLOAT_EQ(g.button.GlowX(), step.x) << "after " << step.ticks << " ticks";
        EXPECT_FLOAT_EQ(g.button.GlowY(), step.y) << "after " << step.ticks << " ticks";
        EXPECT_EQ(g.button.GlowPhase(), step.phase) << "after " << step.ticks << " ticks";
    }
}

// The light shows through a ring one pixel wide just inside the border; it brightens the ring
// where it is (on the top row, which the skin draws darker than white) and nothing further away
// than its radius of 18.
TEST(GlowButton, TheLightIsDrawnOnTheBorderWhereItIsAndGoesWithTheFocus) {
    Glow g;
    g.button.PaintState(kStateNormal, false);
    auto at = [&](int x, int y) { return Brightness(ImagePixel(g.button.BackingBitmap(), x, y)); };
    const int xs[] = {10, 42, 50, 74};
    int dark[4];
    for (int i = 0; i < 4; ++i)
        dark[i] = at(xs[i], 0);
    g.Focus();
    for (int i = 0; i < 6; ++i)
        g.button.AdvanceGlow();  // (42, 0) on the top edge
    g.button.PaintState(kStateNormal, false);
    EXPECT_GT(at(42, 0), dark[1] + 60);
    EXPECT_EQ(at(10, 0), dark[0]);
    EXPECT_EQ(at(74, 0), dark[3]);
    for (int i = 0; i < 8; ++i)
        g.button.AdvanceGlow();  // round the corner: (78, 6) on the right edge
    g.button.PaintState(kStateNormal, false);
    EXPECT_GT(at(74, 0), dark[3] + 60);
    EXPECT_EQ(at(42, 0), dark[1]);
    EXPECT_EQ(at(50, 0), dark[2]);

    Element other;
    ASSERT_TRUE(other.Create(g.w.window, SpecAt(150, 150, 10, 10)));
    g.w.host->Elements().SetFocusElement(&other, true);
    EXPECT_FALSE(g.button.GlowActive());
    EXPECT_EQ(at(74, 0), dark[3]);  // the next paint shows no light
}

TEST(GlowButton, TheLightMovesEveryHundredMillisecondsUntilTheFocusGoes) {
    Glow g;
    g.Focus();
    DWORD start = GetTickCount();
    ASSERT_TRUE(PumpUntil([&] { return g.button.GlowX() >= 6 + 3 * 6; }, 2000));
    EXPECT_GE(GetTickCount() - start + 20, 300u);
    Element other;
    ASSERT_TRUE(other.Create(g.w.window, SpecAt(150, 150, 10, 10)));
    g.w.host->Elements().SetFocusElement(&other, true);
    float stopped = g.button.GlowX();
    PumpFor(250);
    EXPECT_FLOAT_EQ(g.button.GlowX(), stopped);
}

}  // namespace
}  // namespace ui::test

// Composition into the back buffer: order, clipping, disabled alpha, and the fade-in.
#include <gtest/gtest.h>

#include <vector>
#include "tests/toolkit/toolkit_test_support.h"

namespace ui::test {
namespace {

TEST(Composition, ALaterTopLevelElementCoversAnEarlierOneWhereTheyOverlap) {
    TestWindow w(Bare());
    SolidElement first(kRed), second(kGreen);
    ASSERT_TRUE(first.Create(w.window, SpecAt(20, 20, 60, 60)));
    ASSERT_TRUE(second.Create(w.window, SpecAt(50, 50, 60, 60)));
    w.host->Refresh();
    EXPECT_TRUE(NearColour(BackPixel(*w.host, 60, 60), kGreenPixel, 2));
    EXPECT_TRUE(NearColour(BackPixel(*w.host, 30, 30), kRedPixel, 2));
    EXPECT_TRUE(NearColour(BackPixel(*w.host, 100, 100), kGreenPixel, 2));
    EXPECT_TRUE(NearColour(BackPixel(*w.host, 150, 150), kBackground, 2));
    // Raising the first one to the top turns the overlap red.
    first.ChangeZOrder(ZOrder::kTop, true);
    w.host->RepaintRect({0, 0, 200, 200}, true);
    EXPECT_TRUE(NearColour(BackPixel(*w.host, 60, 60), kRedPixel, 2));
}

TEST(Composition, AChildNeverDrawsOutsideItsParent) {
    TestWindow w(Bare());
    SolidElement parent(kRed), child(kGreen);
    ASSERT_TRUE(parent.Create(w.window, SpecAt(20, 40, 40, 40)));
    ASSERT_TRUE(child.Create(&parent, SpecAt(50, 50, 40, 40)));
    w.host->Refresh();
    EXPECT_TRUE(NearColour(BackPixel(*w.host, 55, 55), kGreenPixel, 2));
    EXPECT_TRUE(NearColour(BackPixel(*w.host, 59, 79), kGreenPixel, 2));
    EXPECT_TRUE(NearColour(BackPixel(*w.host, 60, 55), kBackground, 2));  // right of the parent
    EXPECT_TRUE(NearColour(BackPixel(*w.host, 55, 80), kBackground, 2));  // below the parent
    EXPECT_TRUE(NearColour(BackPixel(*w.host, 85, 85), kBackground, 2));
    // Repainting a small rectangle keeps the clip too.
    w.host->RepaintRect({50, 50, 40, 40}, false);
    EXPECT_TRUE(NearColour(BackPixel(*w.host, 70, 70), kBackground, 2));
}

TEST(Composition, ADisabledElementIsComposedAtHalfItsAlphaUnlessItAnswersTheQuery) {
    TestWindow w(Bare());
    SolidElement element(kRed);
    ASSERT_TRUE(element.Create(w.window, SpecAt(20, 20, 40, 40)));
    element.SetDisabled(true);
    w.host->Refresh();
    EXPECT_GE(element.disabledQueries, 1);
    // Red at 127/255 over the blue background.
    const Rgba half{127, 68, 128, 255};
    EXPECT_TRUE(NearColour(BackPixel(*w.host, 40, 40), half, 3));

    element.disabledAnswer = 0;
    w.host->RepaintRect(element.Rect(), false);
    EXPECT_TRUE(NearColour(BackPixel(*w.host, 40, 40), kRedPixel, 2));

    element.disabledAnswer = -1;
    element.SetAlpha(128, false);
    w.host->RepaintRect(element.Rect(), false);
    const Rgba quarter{64, 102, 191, 255};  // alpha 64 of red over blue
    EXPECT_TRUE(NearColour(BackPixel(*w.host, 40, 40), quarter, 3));
}

TEST(FadeIn, TakesFiveTicksOfFiftyMilliseconds) {
    AttachOptions options;
    options.captionFlags = 0;
    options.settings.layeredAlpha = 255;
    options.fadeIn = true;
    HostWindow host;
    HWND window = CreateHostWindow({});
    int ticks = 0;
    host.Callbacks().rawMessage = [&](HWND, UINT message, WPARAM wParam, LPARAM) -> LRESULT {
        if (message == WM_TIMER && wParam == reinterpret_cast<WPARAM>(&host)) ++ticks;
        return -1;
    };
    DWORD start = GetTickCount();
    ASSERT_TRUE(host.Attach(window, options));
    EXPECT_TRUE(host.Busy());
    ASSERT_TRUE(PumpUntil([&] { return !host.Busy(); }));
    EXPECT_EQ(ticks, 5);
    EXPECT_GE(GetTickCount() - start, 5u * 50u - 30u);
    PumpFor(120);
    EXPECT_EQ(ticks, 5);  // the timer is gone
    DestroyWindow(window);
}

}  // namespace
}  // namespace ui::test

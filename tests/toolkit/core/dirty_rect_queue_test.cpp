// The dirty-rectangle queue: passes, presentations, and repaints that arrive as messages.
#include <gtest/gtest.h>

#include "tests/toolkit/toolkit_test_support.h"

namespace ui::test {
namespace {

TEST(DirtyRectangles, ThreeQueuedWhileBusyAreRepaintedInOnePassWithOnePresentation) {
    AttachOptions options = Bare();
    options.settings.layeredAlpha = 255;
    TestWindow w(options);
    SolidElement element(kRed);
    ASSERT_TRUE(element.Create(w.window, SpecAt(20, 20, 100, 60)));
    element.SetDisabled(true);
    PumpFor(30);
    bool queued = false;
    element.onDisabledQuery = [&] {
        if (queued) return;
        queued = true;  // asked while the first rectangle is composed: the queue is busy
        EXPECT_TRUE(w.host->Composition().Flushing());
        w.host->QueueRect({20, 20, 10, 10}, RepaintMode::kQueue);
        w.host->QueueRect({40, 20, 10, 10}, RepaintMode::kQueue);
        w.host->QueueRect({60, 20, 10, 10}, RepaintMode::kFirst);
        EXPECT_EQ(w.host->Composition().Queue().Pending(), 3u);
    };
    element.disabledQueries = 0;
    int presentedBefore = w.host->Composition().PresentCount();
    w.host->QueueRect(element.Rect(), RepaintMode::kQueue);
    EXPECT_EQ(element.disabledQueries, 4);  // the first rectangle and the three
    EXPECT_EQ(w.host->Composition().Queue().Pending(), 0u);
    EXPECT_EQ(w.host->Composition().PresentCount() - presentedBefore, 1);
}

// Elements invalidated on the window's thread join the queue (a rectangle covered by one waiting
// adds nothing) and are repainted by one flush when the thread takes its messages.
TEST(DirtyRectangles, InvalidationsOnTheWindowThreadAreFlushedOnceWithCoveredOnesDropped) {
    AttachOptions options = Bare();
    options.settings.layeredAlpha = 255;
    TestWindow w(options);
    SolidElement big(kRed), inside(kGreen), apart(kBlue);
    ASSERT_TRUE(big.Create(w.window, SpecAt(20, 20, 100, 60)));
    ASSERT_TRUE(inside.Create(w.window, SpecAt(30, 30, 10, 10)));
    ASSERT_TRUE(apart.Create(w.window, SpecAt(150, 20, 20, 20)));
    PumpFor(30);
    int presentedBefore = w.host->Composition().PresentCount();

    big.Invalidate();
    inside.Invalidate();
    apart.Invalidate();
    big.Invalidate();
    EXPECT_EQ(w.host->Composition().Queue().Pending(), 2u);
    EXPECT_EQ(w.host->Composition().PresentCount(), presentedBefore);  // not yet
    PumpPending();
    EXPECT_EQ(w.host->Composition().Queue().Pending(), 0u);
    EXPECT_EQ(w.host->Composition().PresentCount() - presentedBefore, 1);
}

TEST(DirtyRectangles, APlainWindowIsPresentedPerRectangle) {
    TestWindow w(Bare());
    SolidElement element(kRed);
    ASSERT_TRUE(element.Create(w.window, SpecAt(20, 20, 100, 60)));
    PumpFor(30);
    int presentedBefore = w.host->Composition().PresentCount();
    w.host->Composition().Queue().Add({20, 20, 10, 10});
    w.host->Composition().Queue().Add({40, 20, 10, 10});
    w.host->Composition().Flush();
    EXPECT_EQ(w.host->Composition().PresentCount() - presentedBefore, 2);
}

TEST(DirtyRectangles, RepaintRequestsArriveAsMessagesAndAreDroppedWhileBusy) {
    TestWindow w(Bare());
    SolidElement element(kRed);
    ASSERT_TRUE(element.Create(w.window, SpecAt(20, 20, 40, 40)));
    PumpFor(30);
    element.SetVisible(false);  // posts a repaint of its rectangle
    EXPECT_TRUE(NearColour(BackPixel(*w.host, 30, 30), kRedPixel, 2));
    PumpFor(30);
    EXPECT_TRUE(NearColour(BackPixel(*w.host, 30, 30), kBackground, 2));
}

}  // namespace
}  // namespace ui::test

#include "toolkit/core/message_loops.h"

#include <gtest/gtest.h>

namespace ui {
namespace {

// The first idle moment comes once, when everything queued before it is done, and the loop goes
// on; a quit queued before it ends the loop without it.
TEST(MessageLoop, TheFirstIdleWorkRunsOnceAfterTheQueuedMessages) {
    for (bool quitFirst : {false, true}) {
        for (int i = 0; i < 3; ++i)
            PostThreadMessageW(GetCurrentThreadId(), WM_APP, 0, 0);
        if (quitFirst) PostQuitMessage(9);
        int idleRuns = 0;
        bool emptyAtIdle = false;
        const int code = RunMessageLoop([&] {
            MSG waiting;
            emptyAtIdle = !PeekMessageW(&waiting, nullptr, 0, 0, PM_NOREMOVE);
            ++idleRuns;
            PostQuitMessage(5);
        });
        EXPECT_EQ(code, quitFirst ? 9 : 5);
        EXPECT_EQ(idleRuns, quitFirst ? 0 : 1);
        EXPECT_TRUE(quitFirst || emptyAtIdle) << "the idle work came before the queued messages";
    }
}

}  // namespace
}  // namespace ui

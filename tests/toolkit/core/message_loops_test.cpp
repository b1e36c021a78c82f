#include "toolkit/core/message_loops.h"

#include <gtest/gtest.h>

namespace ui {
namespace {

int g_dispatched = 0;

LRESULT CALLBACK CountingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_APP) ++g_dispatched;
    return DefWindowProcW(window, message, wParam, lParam);
}

HWND CountingWindow() {
    WNDCLASSW wc{};
    wc.lpfnWndProc = CountingProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"MessageLoopsTest";
    RegisterClassW(&wc);
    return CreateWindowExW(0, wc.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                           wc.hInstance, nullptr);
}

// The first idle moment comes after everything queued before it, and only once; a quit queued
// before it ends the loop without it.
TEST(MessageLoop, TheFirstIdleWorkRunsOnceAfterTheQueuedMessages) {
    HWND window = CountingWindow();
    ASSERT_NE(window, nullptr);
    for (bool quitFirst : {false, true}) {
        g_dispatched = 0;
        for (int i = 0; i < 3; ++i)
            PostMessageW(window, WM_APP, 0, 0);
        if (quitFirst) PostQuitMessage(9);
        int idleRuns = 0, seenAtIdle = -1;
        const int code = RunMessageLoop([&] {
            ++idleRuns;
            seenAtIdle = g_dispatched;
            PostMessageW(window, WM_APP, 0, 0);
            PostQuitMessage(5);
        });
        if (quitFirst) {
            EXPECT_EQ(code, 9);
            EXPECT_EQ(idleRuns, 0);
            EXPECT_EQ(g_dispatched, 3);
        } else {
            EXPECT_EQ(code, 5);
            EXPECT_EQ(idleRuns, 1);
            EXPECT_EQ(seenAtIdle, 3);
            EXPECT_EQ(g_dispatched, 4) << "the loop goes on after the idle work";
        }
    }
    DestroyWindow(window);
}

}  // namespace
}  // namespace ui

// Draining the thread's queue: messages are dispatched, a quit message stops the drain and stays.
#include <windows.h>

#include <gtest/gtest.h>

#include "runtime/message_pump.h"

namespace rt {
namespace {

int gDispatched = 0;

LRESULT CALLBACK CountingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_APP) {
        ++gDispatched;
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

class MessagePumpTest : public testing::Test {
  protected:
    void SetUp() override {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = CountingProc;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "VsPumpTest";
        RegisterClassA(&windowClass);
        window_ = CreateWindowA("VsPumpTest", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                windowClass.hInstance, nullptr);
        ASSERT_NE(nullptr, window_);
        gDispatched = 0;
        MSG stale;
        while (PeekMessageA(&stale, nullptr, 0, 0, PM_REMOVE)) {
        }
    }
    void TearDown() override { DestroyWindow(window_); }
    HWND window_ = nullptr;
};

TEST_F(MessagePumpTest, EmptyQueueReturnsFalse) {
    EXPECT_FALSE(PumpMessages());
}

TEST_F(MessagePumpTest, DispatchesEveryQueuedMessage) {
    PostMessageA(window_, WM_APP, 0, 0);
    PostMessageA(window_, WM_APP, 0, 0);
    EXPECT_FALSE(PumpMessages());
    EXPECT_EQ(2, gDispatched);
    MSG left;
    EXPECT_FALSE(PeekMessageA(&left, nullptr, 0, 0, PM_NOREMOVE));
}

TEST_F(MessagePumpTest, StopsAtQuitAndLeavesItQueued) {
    PostMessageA(window_, WM_APP, 0, 0);
    PostMessageA(window_, WM_APP, 0, 0);
    PostQuitMessage(5);
    EXPECT_TRUE(PumpMessages());
    EXPECT_EQ(2, gDispatched);
    MSG quit;
    ASSERT_TRUE(PeekMessageA(&quit, nullptr, 0, 0, PM_NOREMOVE));
    EXPECT_EQ(static_cast<UINT>(WM_QUIT), quit.message);
    EXPECT_EQ(0, GetMessageA(&quit, nullptr, 0, 0));  // the thread's loop would end here
    EXPECT_EQ(5u, quit.wParam);
}

TEST_F(MessagePumpTest, QuitPostedBetweenMessagesStopsThere) {
    PostMessageA(window_, WM_APP, 0, 0);
    PostThreadMessageA(GetCurrentThreadId(), WM_QUIT, 9, 0);
    PostMessageA(window_, WM_APP, 0, 0);
    EXPECT_TRUE(PumpMessages());
    EXPECT_EQ(1, gDispatched);
    MSG quit;
    ASSERT_GT(PeekMessageA(&quit, nullptr, 0, 0, PM_REMOVE), 0);
    EXPECT_EQ(static_cast<UINT>(WM_QUIT), quit.message);
    EXPECT_FALSE(PumpMessages());
    EXPECT_EQ(2, gDispatched);
}

}  // namespace
}  // namespace rt

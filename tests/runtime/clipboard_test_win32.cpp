// Text through the system clipboard.
#include <windows.h>

#include <thread>

#include <gtest/gtest.h>

#include "runtime/clipboard.h"

namespace rt {
namespace {

TEST(Clipboard, TextRoundTrip) {
    ASSERT_TRUE(ClipboardSetText("复制 copy 123"));
    EXPECT_EQ("复制 copy 123", ClipboardGetText());
    ASSERT_TRUE(ClipboardSetText("second"));
    EXPECT_EQ("second", ClipboardGetText());
}

TEST(Clipboard, EmptyTextIsRefusedAndLeavesTheClipboard) {
    ASSERT_TRUE(ClipboardSetText("kept"));
    EXPECT_FALSE(ClipboardSetText(""));
    EXPECT_EQ("kept", ClipboardGetText());
}

TEST(Clipboard, NoTextGivesNull) {
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    CloseClipboard();
    EXPECT_EQ("", ClipboardGetText());
}

TEST(Clipboard, HeldByAnotherThreadGivesNullAndFalse) {
    ASSERT_TRUE(ClipboardSetText("before"));
    HANDLE opened = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    HANDLE release = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    std::thread holder([&] {
        HWND window =
            CreateWindowA("STATIC", "", 0, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
        const BOOL held = OpenClipboard(window);
        SetEvent(opened);
        WaitForSingleObject(release, 10000);
        if (held) CloseClipboard();
        DestroyWindow(window);
    });
    WaitForSingleObject(opened, 10000);
    EXPECT_EQ("", ClipboardGetText());
    EXPECT_FALSE(ClipboardSetText("during"));
    SetEvent(release);
    holder.join();
    EXPECT_EQ("before", ClipboardGetText());
    CloseHandle(opened);
    CloseHandle(release);
}

}  // namespace
}  // namespace rt

// The caption of a host window: icon, title text and the minimum size it needs.
#include <gtest/gtest.h>

#include <string>
#include "tests/toolkit/toolkit_test_support.h"
#include "toolkit/core/label.h"
#include "toolkit/core/window_icon.h"

namespace ui::test {
namespace {

TEST(HostWindowSize, MinimumTrackSizeFollowsTheCaptionButtons) {
    TestWindow w;
    MINMAXINFO info{};
    SendMessageW(w.window, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
    EXPECT_EQ(info.ptMinTrackSize.x, 28 * 3 + 11 + 36);
    EXPECT_EQ(info.ptMinTrackSize.y, 38);
    AttachOptions bare;
    bare.captionFlags = 0;
    TestWindow plain(bare);
    SendMessageW(plain.window, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
    EXPECT_EQ(info.ptMinTrackSize.x, 21);
    EXPECT_EQ(info.ptMinTrackSize.y, 20);
}

TEST(HostWindowCaption, TheIconFlagShowsTheWindowIconLeftOfTheTitle) {
    HICON icon = SolidIcon(RGB(255, 0, 0));
    HWND window = CreateHostWindow({});
    SendMessageW(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
    HostWindow host;
    ASSERT_TRUE(host.Attach(window));
    ASSERT_NE(host.Caption().Icon(), nullptr);
    EXPECT_EQ(IconOfWindow(window), icon);
    EXPECT_EQ(host.Caption().Icon()->Rect(), kWindowIconRect);
    EXPECT_TRUE(NearColour(BackPixel(host, 15, 19), {255, 0, 0, 255}, 8));
    EXPECT_FALSE(NearColour(BackPixel(host, 30, 19), {255, 0, 0, 255}, 8));
    DestroyWindow(window);
    DestroyIcon(icon);
}

TEST(HostWindowTitle, ShowsTheFirst511CharactersOfALongWindowText) {
    HostWindowSpec spec;
    spec.title = std::string(600, 'a');
    TestWindow w({}, spec);
    ASSERT_NE(w.host->Caption().Title(), nullptr);
    EXPECT_EQ(w.host->Caption().Title()->WideText().size(), 511u);
    SetWindowTextA(w.window, "新标题");
    EXPECT_EQ(w.host->Caption().Title()->Text(), "新标题");
}

}  // namespace
}  // namespace ui::test

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

HICON SolidIcon(COLORREF colour) {
    BITMAPV5HEADER header{};
    header.bV5Size = sizeof header;
    header.bV5Width = 16;
    header.bV5Height = 16;
    header.bV5Planes = 1;
    header.bV5BitCount = 32;
    header.bV5Compression = BI_RGB;
    void* bits = nullptr;
    HDC screen = GetDC(nullptr);
    HBITMAP colourBitmap = CreateDIBSection(screen, reinterpret_cast<BITMAPINFO*>(&header),
                                            DIB_RGB_COLORS, &bits, nullptr, 0);
    ReleaseDC(nullptr, screen);
    auto* pixels = static_cast<std::uint32_t*>(bits);
    std::uint32_t value =
        0xFF000000 | (GetRValue(colour) << 16) | (GetGValue(colour) << 8) | GetBValue(colour);
    for (int i = 0; i < 16 * 16; ++i)
        pixels[i] = value;
    HBITMAP mask = CreateBitmap(16, 16, 1, 1, nullptr);
    ICONINFO info{TRUE, 0, 0, mask, colourBitmap};
    HICON icon = CreateIconIndirect(&info);
    DeleteObject(mask);
    DeleteObject(colourBitmap);
    return icon;
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

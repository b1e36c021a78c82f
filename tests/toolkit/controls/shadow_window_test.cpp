// The drop shadow: its place around the owner, following the owner, staying behind it without
// taking the activation, and its pixels drawn from the shadow image.
#include <gtest/gtest.h>

#include "art/toolkit_art.h"
#include "tests/toolkit/toolkit_test_support.h"
#include "toolkit/controls/shadow_window.h"

namespace ui::test {
namespace {

RECT RectOf(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return rect;
}

::testing::AssertionResult IsAt(HWND window, int x, int y, int width, int height) {
    RECT r = RectOf(window);
    if (r.left == x && r.top == y && r.right - r.left == width && r.bottom - r.top == height) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure() << "at (" << r.left << "," << r.top << ") size "
                                         << r.right - r.left << " x " << r.bottom - r.top;
}

BOOL CALLBACK CountShadow(HWND window, LPARAM count) {
    char name[32] = {};
    GetClassNameA(window, name, sizeof name);
    if (std::string(name) == kShadowClassName) ++*reinterpret_cast<int*>(count);
    return TRUE;
}

int ShadowWindowCount() {
    int count = 0;
    EnumThreadWindows(GetCurrentThreadId(), CountShadow, reinterpret_cast<LPARAM>(&count));
    return count;
}

// Whether `lower` comes after `upper` in the z-order of top-level windows.
bool IsBehind(HWND lower, HWND upper) {
    for (HWND w = GetWindow(upper, GW_HWNDNEXT); w; w = GetWindow(w, GW_HWNDNEXT)) {
        if (w == lower) return true;
    }
    return false;
}

// An owner like the wizard: a toolkit window at (100, 100)-(560, 525), shown.
struct ShadowedOwner {
    TestWindow owner{Bare(), {.x = 100, .y = 100, .width = 460, .height = 425}};
    ShadowWindow shadow;
    HWND shadowWindow = nullptr;

    ShadowedOwner() {
        ShowWindow(owner.window, SW_SHOW);
        SetForegroundWindow(owner.window);
        shadowWindow = shadow.ShowShadow(owner.window);
        PumpPending();
    }
};

TEST(ShadowWindow, SitsAroundTheOwnerBehindItWithoutTakingTheActivation) {
    ShadowedOwner s;
    ASSERT_NE(s.shadowWindow, nullptr);
    char name[32] = {};
    GetClassNameA(s.shadowWindow, name, sizeof name);
    EXPECT_STREQ(name, "ShadowWnd");
    // 5 pixels beyond the owner on the left and right, 3 above and 7 below.
    EXPECT_TRUE(IsAt(s.shadowWindow, 95, 97, 470, 435));
    EXPECT_TRUE(IsWindowVisible(s.shadowWindow));
    EXPECT_EQ(GetActiveWindow(), s.owner.window);
    LONG_PTR ex = GetWindowLongPtrW(s.shadowWindow, GWL_EXSTYLE);
    EXPECT_TRUE(ex & WS_EX_LAYERED);
    EXPECT_TRUE(ex & WS_EX_TRANSPARENT);  // clicks pass through
    EXPECT_EQ(SendMessageW(s.shadowWindow, WM_MOUSEACTIVATE,
                           reinterpret_cast<WPARAM>(s.shadowWindow), MAKELPARAM(HTCLIENT, 0)),
              MA_NOACTIVATE);
}

// Wine on Xvfb reports the shadow in front of its owner in the z-order, though it shows the
// owner in front. Kept for a run on Windows, where it has not been tried yet.
TEST(ShadowWindow, DISABLED_StaysRightBehindTheOwner) {
    ShadowedOwner s;
    EXPECT_TRUE(IsBehind(s.shadowWindow, s.owner.window));
    // Brought to the front again, the owner keeps its shadow right behind it.
    TestWindow other(Bare(), {.x = 0, .y = 0, .width = 200, .height = 200});
    ShowWindow(other.window, SW_SHOW);
    SetForegroundWindow(other.window);
    SetForegroundWindow(s.owner.window);
    PumpPending();
    EXPECT_TRUE(IsBehind(s.shadowWindow, s.owner.window));
    EXPECT_TRUE(IsBehind(other.window, s.shadowWindow));
}

TEST(ShadowWindow, FollowsTheOwnersMovesSizesAndVisibility) {
    ShadowedOwner s;
    ASSERT_NE(s.shadowWindow, nullptr);
    SetWindowPos(s.owner.window, nullptr, 130, 120, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    EXPECT_TRUE(IsAt(s.shadowWindow, 125, 117, 470, 435));
    SetWindowPos(s.owner.window, nullptr, 0, 0, 300, 200, SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_TRUE(IsAt(s.shadowWindow, 125, 117, 310, 210));

    struct Step {
        const char* what;
        int show;
        bool shadowShown;
    };
    for (const Step& step :
         {Step{"minimised", SW_MINIMIZE, false}, Step{"restored", SW_RESTORE, true},
          Step{"hidden", SW_HIDE, false}, Step{"shown", SW_SHOW, true}}) {
        ShowWindow(s.owner.window, step.show);
        PumpPending();
        EXPECT_EQ(IsWindowVisible(s.shadowWindow) != FALSE, step.shadowShown) << step.what;
    }
    EXPECT_TRUE(IsAt(s.shadowWindow, 125, 117, 310, 210));
}

TEST(ShadowWindow, OneShadowAtATimeAndTheOwnerGetsItsProcedureBack) {
    TestWindow owner(Bare(), {.x = 100, .y = 100, .width = 460, .height = 425});
    ShowWindow(owner.window, SW_SHOW);
    LONG_PTR procedure = GetWindowLongPtrW(owner.window, GWLP_WNDPROC);
    ShadowWindow shadow;
    HWND first = shadow.ShowShadow(owner.window);
    HWND second = shadow.ShowShadow(owner.window);
    ASSERT_NE(second, nullptr);
    EXPECT_FALSE(IsWindow(first));
    EXPECT_EQ(ShadowWindowCount(), 1);
    EXPECT_TRUE(shadow.HideShadow());
    EXPECT_FALSE(shadow.HideShadow());  // nothing left to remove
    EXPECT_EQ(ShadowWindowCount(), 0);
    EXPECT_EQ(GetWindowLongPtrW(owner.window, GWLP_WNDPROC), procedure);
    // A shadow made for a hidden owner waits for the owner to show.
    ShowWindow(owner.window, SW_HIDE);
    HWND waiting = shadow.ShowShadow(owner.window);
    EXPECT_FALSE(IsWindowVisible(waiting));
    ShowWindow(owner.window, SW_SHOW);
    EXPECT_TRUE(IsWindowVisible(waiting));
    // One made for a minimised owner, for the owner to be restored.
    ShowWindow(owner.window, SW_MINIMIZE);
    HWND iconic = shadow.ShowShadow(owner.window);
    EXPECT_FALSE(IsWindowVisible(iconic));
    ShowWindow(owner.window, SW_RESTORE);
    EXPECT_TRUE(IsWindowVisible(iconic));
    // An owner that goes without HideShadow takes its shadow along.
    DestroyWindow(owner.window);
    EXPECT_FALSE(IsWindow(iconic));
    EXPECT_FALSE(shadow.HideShadow());
    EXPECT_EQ(shadow.ShowShadow(nullptr), nullptr);
}

// Every pixel of the shadow's edges comes from the matching pixel of the image: the corners
// at their size, the edges stretched from the seam column 103 and row 69 of the image.
TEST(ShadowWindow, DrawsTheImageAsANineGridWithItsSeamStretched) {
    ShadowedOwner s;
    HostWindow* host = HostWindow::FromWindow(s.shadowWindow);
    ASSERT_NE(host, nullptr);
    LoadedImage image = LoadImage(art::Bytes(art::ToolkitImage::kShadow));
    ASSERT_TRUE(image);
    ASSERT_EQ(SizeOf(image.Get()).width, 210);
    ASSERT_EQ(SizeOf(image.Get()).height, 143);
    const int W = 470, H = 435;
    struct Probe {
        int x, y;              // in the shadow window
        int sourceX, sourceY;  // in the image
    };
    std::vector<Probe> probes;
    for (int d = 0; d < 8; ++d) {
        probes.push_back({W / 2, d, 103, d});                        // top edge
        probes.push_back({W / 2, H - 1 - d, 103, 142 - d});          // bottom edge
        probes.push_back({d, H / 2, d, 69});                         // left edge
        probes.push_back({W - 1 - d, H / 2, 209 - d, 69});           // right edge
        probes.push_back({d, d, d, d});                              // top-left corner
        probes.push_back({W - 1 - d, H - 1 - d, 209 - d, 142 - d});  // bottom-right corner
    }
    int shownEdgePixels = 0;
    for (const Probe& p : probes) {
        Rgba expected = ImagePixel(image.Get(), p.sourceX, p.sourceY);
        Rgba actual = BackPixel(*host, p.x, p.y);
        EXPECT_NEAR(actual.a, expected.a, 3) << p.x << "," << p.y;
        if (actual.a > 0) ++shownEdgePixels;
    }
    EXPECT_GT(shownEdgePixels, static_cast<int>(probes.size()) / 2);
    EXPECT_EQ(BackPixel(*host, 0, 0).a, ImagePixel(image.Get(), 0, 0).a);
}

}  // namespace
}  // namespace ui::test

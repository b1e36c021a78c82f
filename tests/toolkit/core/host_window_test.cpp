// The host window: creation defaults, attaching, maximised size, closing and teardown.
#include <gtest/gtest.h>

#include <string>
#include <vector>
#include "tests/toolkit/toolkit_test_support.h"
#include "toolkit/core/caption_button.h"
#include "toolkit/core/label.h"
#include "toolkit/core/text_convert.h"

namespace ui::test {
namespace {

RECT WorkArea() {
    RECT work{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    return work;
}

RECT WindowRect(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return rect;
}

TEST(HostWindowCreation, WithoutSizeIs380By250AndCentredInTheWorkArea) {
    HWND window = CreateHostWindow({});
    ASSERT_NE(window, nullptr);
    RECT rect = WindowRect(window);
    RECT work = WorkArea();
    EXPECT_EQ(rect.right - rect.left, 380);
    EXPECT_EQ(rect.bottom - rect.top, 250);
    EXPECT_EQ(rect.left, work.left + (work.right - work.left - 380) / 2);
    EXPECT_EQ(rect.top, work.top + (work.bottom - work.top - 250) / 2);
    EXPECT_EQ(static_cast<DWORD>(GetWindowLongW(window, GWL_STYLE)) & kDefaultHostStyle,
              kDefaultHostStyle);
    DestroyWindow(window);
}

TEST(HostWindowCreation, CentresInAWorkAreaThatDoesNotStartAtTheOrigin) {
    // A taskbar on the left or at the top moves the work area; the window stays centred in it.
    POINT origin = CentredOrigin(RECT{100, 40, 1124, 808}, 380, 250);
    EXPECT_EQ(origin.x, 100 + (1024 - 380) / 2);
    EXPECT_EQ(origin.y, 40 + (768 - 250) / 2);
    origin = CentredOrigin(RECT{0, 0, 1024, 768}, 460, 340);
    EXPECT_EQ(origin.x, 282);
    EXPECT_EQ(origin.y, 214);
}

TEST(HostWindowCreation, TitleAndClassTravelFromTheAnsiCodePage) {
    HostWindowSpec spec;
    spec.title = "安装向导";
    HWND window = CreateHostWindow(spec);
    ASSERT_NE(window, nullptr);
    wchar_t title[32] = {};
    GetWindowTextW(window, title, 32);
    EXPECT_EQ(std::wstring(title), ToWide("安装向导"));
    EXPECT_EQ(std::wstring(title).size(), 4u);
    DestroyWindow(window);
}

TEST(HostWindowAttach, DefaultCaptionGivesIconTitleCloseMaxMinAndShadowFlag) {
    TestWindow w;
    ASSERT_TRUE(w.host->IsAttached());
    EXPECT_EQ(HostWindow::FromWindow(w.window), w.host.get());
    int flags = w.host->Settings().captionFlags;
    EXPECT_EQ(flags & (1 | 2 | 4 | 8 | 16 | 512), 1 | 2 | 4 | 8 | 16 | 512);
    ASSERT_EQ(w.host->Caption().Buttons().size(), 3u);
    EXPECT_EQ(w.host->Caption().Buttons()[0]->Flag(), kCaptionClose);
    // Right to left, 28 pixels apart, the first 5 + 12 + 28 pixels from the right edge.
    EXPECT_FLOAT_EQ(w.host->Caption().Buttons()[0]->Rect().x, 380 - 5 - 12 - 28);
    EXPECT_FLOAT_EQ(w.host->Caption().Buttons()[2]->Rect().x, 380 - 5 - 12 - 3 * 28);
    EXPECT_FLOAT_EQ(w.host->Caption().Buttons()[2]->Rect().y, 7);
    ASSERT_NE(w.host->Caption().Title(), nullptr);
    EXPECT_FLOAT_EQ(w.host->Caption().Title()->Rect().x, 28);
    LONG style = GetWindowLongW(w.window, GWL_STYLE);
    EXPECT_TRUE(style & WS_POPUP);
    EXPECT_FALSE(style & (WS_THICKFRAME | WS_DLGFRAME | WS_BORDER));
    // The tooltip window comes with the first tip the mouse brings up, not while the window is
    // built: an element's tip set before that makes none.
    EXPECT_EQ(w.host->TooltipWindow(), nullptr);
    w.host->UpdateTooltip("set while building", RectF{0, 0, 10, 10});
    w.host->ShowTooltip("", RectF{0, 0, 10, 10});
    EXPECT_EQ(w.host->TooltipWindow(), nullptr);
    w.host->ShowTooltip("tip", RectF{0, 0, 10, 10});
    ASSERT_NE(w.host->TooltipWindow(), nullptr);
    EXPECT_EQ(GetWindow(w.host->TooltipWindow(), GW_OWNER), w.window);
    w.host->UpdateTooltip("changed", RectF{0, 0, 10, 10});
    char text[32] = {};
    TTTOOLINFOA tool{TTTOOLINFOA_V2_SIZE, TTF_SUBCLASS, w.window};
    tool.lpszText = text;
    SendMessageA(w.host->TooltipWindow(), TTM_GETTEXTA, sizeof text,
                 reinterpret_cast<LPARAM>(&tool));
    EXPECT_STREQ(text, "changed");
}

TEST(HostWindowAttach, ZeroCaptionFlagsKeepOnlyTheShadowFlag) {
    AttachOptions options;
    options.captionFlags = 0;
    TestWindow w(options);
    EXPECT_EQ(w.host->Settings().captionFlags, 512);
    EXPECT_TRUE(w.host->Caption().Buttons().empty());
    EXPECT_EQ(w.host->Caption().Title(), nullptr);
    EXPECT_EQ(w.host->Elements().First(), nullptr);
}

TEST(HostWindowAttach, RefusesNullForeignAndAlreadyHeldWindows) {
    TestWindow w;
    HostWindow other;
    EXPECT_FALSE(other.Attach(nullptr));
    EXPECT_FALSE(other.Attach(reinterpret_cast<HWND>(0x12345)));
    EXPECT_FALSE(other.Attach(w.window));  // held by w's host
    EXPECT_FALSE(w.host->Attach(w.window));
    EXPECT_EQ(HostWindow::FromWindow(w.window), w.host.get());
}

TEST(HostWindowSize, MaximisedWithCaptionFlagsCoversTheWorkAreaAndSevenPixelsMore) {
    HostWindowSpec spec;
    spec.show = true;
    TestWindow w({}, spec);
    ASSERT_TRUE(w.host->Settings().captionFlags & kCaptionMaximise);
    PumpFor(100);
    ShowWindow(w.window, SW_MAXIMIZE);
    // Read at once: Wine's X11 driver without a window manager later puts a shaped (window
    // region) window back to its old size, which says nothing about the program.
    RECT rect = WindowRect(w.window);
    RECT work = WorkArea();
    EXPECT_TRUE(IsZoomed(w.window));
    EXPECT_EQ(rect.left, work.left - 7);
    EXPECT_EQ(rect.top, work.top - 7);
    EXPECT_EQ(rect.right, work.right + 7);
    EXPECT_EQ(rect.bottom, work.bottom + 7);
    // The buffers follow the new size, and the caption is laid out again.
    EXPECT_EQ(w.host->Width(), rect.right - rect.left);
    EXPECT_EQ(w.host->Composition().BackBuffer().Width(), rect.right - rect.left);
    EXPECT_FLOAT_EQ(w.host->Caption().Buttons()[0]->Rect().x,
                    static_cast<float>(rect.right - rect.left - 5 - 12 - 28));
}

// Records the messages the window's own class procedure sees after the host handled them.
std::vector<UINT> gClassMessages;
bool gHostPropertyAtDestroy = true;

LRESULT CALLBACK RecordingClassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_SHOWWINDOW || message == WM_DESTROY) gClassMessages.push_back(message);
    if (message == WM_DESTROY) {
        gHostPropertyAtDestroy = GetPropW(window, kHostProperty) != nullptr;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

TEST(HostWindowClose, HidesThenDestroysAndTearsTheHostDown) {
    static bool registered = RegisterWindowClass("ToolkitTestRecording", CS_DBLCLKS, nullptr,
                                                 nullptr, RecordingClassProc) != 0;
    ASSERT_TRUE(registered);
    HostWindowSpec spec;
    spec.className = "ToolkitTestRecording";
    spec.show = true;
    TestWindow w({}, spec);
    gClassMessages.clear();
    Element child;
    Element grandChild;
    ASSERT_TRUE(child.Create(w.window, SpecAt(20, 40, 50, 30)));
    ASSERT_TRUE(grandChild.Create(&child, SpecAt(25, 45, 10, 10)));
    w.host->Settings().animationKind = AnimationKind::kFade;  // fade out, 15 steps

    DWORD start = GetTickCount();
    SendMessageW(w.window, WM_CLOSE, 0, 0);
    DWORD elapsed = GetTickCount() - start;

    EXPECT_FALSE(IsWindow(w.window));
    ASSERT_EQ(gClassMessages.size(), 2u);
    EXPECT_EQ(gClassMessages[0], static_cast<UINT>(WM_SHOWWINDOW));  // hidden first
    EXPECT_EQ(gClassMessages[1], static_cast<UINT>(WM_DESTROY));
    EXPECT_FALSE(gHostPropertyAtDestroy);
    EXPECT_FALSE(w.host->IsAttached());
    EXPECT_EQ(w.host->Elements().First(), nullptr);
    EXPECT_FALSE(child.IsCreated());
    EXPECT_FALSE(grandChild.IsCreated());
    EXPECT_TRUE(w.host->Caption().Buttons().empty());
    EXPECT_GE(elapsed, 15u * 10u - 20u);  // the fade ran its steps
}

TEST(HostWindowClose, WithoutAnimationClosesAtOnce) {
    TestWindow w;
    Element element;
    ASSERT_TRUE(element.Create(w.window, SpecAt(20, 40, 50, 30)));
    PostMessageW(w.window, WM_CLOSE, 0, 0);
    ASSERT_TRUE(PumpUntil([&] { return !IsWindow(w.window); }));
    EXPECT_EQ(GetPropW(w.window, kHostProperty), nullptr);
    EXPECT_FALSE(element.IsCreated());
}

TEST(HostWindowClose, EveryAnimationKindRunsItsStepsBeforeTheWindowGoes) {
    const std::pair<int, DWORD> kinds[] = {{2, 20}, {3, 15}, {4, 15}};
    for (auto [kind, steps] : kinds) {
        HostWindowSpec spec;
        spec.show = true;
        TestWindow w({}, spec);
        w.host->Settings().animationKind = static_cast<AnimationKind>(kind);
        DWORD start = GetTickCount();
        SendMessageW(w.window, WM_CLOSE, 0, 0);
        EXPECT_GE(GetTickCount() - start, steps * 10 - 20) << "kind " << kind;
        EXPECT_FALSE(IsWindow(w.window)) << "kind " << kind;
    }
}

TEST(HostWindowTeardown, DestroyingTheHostObjectGivesTheWindowBack) {
    HWND window = CreateHostWindow({});
    WNDPROC before = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(window, GWLP_WNDPROC));
    {
        HostWindow host;
        ASSERT_TRUE(host.Attach(window));
        EXPECT_NE(reinterpret_cast<WNDPROC>(GetWindowLongPtrW(window, GWLP_WNDPROC)), before);
    }
    EXPECT_EQ(reinterpret_cast<WNDPROC>(GetWindowLongPtrW(window, GWLP_WNDPROC)), before);
    EXPECT_EQ(GetPropW(window, kHostProperty), nullptr);
    DestroyWindow(window);
}

WNDPROC gBelowTop = nullptr;
int gTopSeen = 0;
LRESULT CALLBACK TopSubclass(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_USER + 3) ++gTopSeen;
    return CallWindowProcW(gBelowTop, window, message, wParam, lParam);
}

TEST(HostWindowTeardown, ASubclassInstalledAfterTheHostStaysInTheChain) {
    HWND window = CreateHostWindow({});
    auto host = std::make_unique<HostWindow>();
    ASSERT_TRUE(host->Attach(window));
    gBelowTop = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(TopSubclass)));
    host.reset();
    // Still on top, and the messages still reach the window's own class procedure.
    EXPECT_EQ(reinterpret_cast<WNDPROC>(GetWindowLongPtrW(window, GWLP_WNDPROC)), TopSubclass);
    gTopSeen = 0;
    SendMessageW(window, WM_USER + 3, 0, 0);
    EXPECT_EQ(gTopSeen, 1);
    EXPECT_TRUE(SetWindowTextW(window, L"still here"));
    wchar_t text[16] = {};
    GetWindowTextW(window, text, 16);
    EXPECT_EQ(std::wstring(text), L"still here");
    EXPECT_TRUE(DestroyWindow(window));
}

TEST(HostWindowRawHook, SeesMessagesFirstAndCanAnswerThem) {
    TestWindow w;
    std::vector<UINT> seen;
    w.host->Callbacks().rawMessage = [&](HWND, UINT message, WPARAM, LPARAM) -> LRESULT {
        seen.push_back(message);
        return message == WM_USER + 7 ? 42 : -1;
    };
    EXPECT_EQ(SendMessageW(w.window, WM_USER + 7, 0, 0), 42);
    EXPECT_EQ(SendMessageW(w.window, WM_NCACTIVATE, 0, 0), 1);
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0], static_cast<UINT>(WM_USER + 7));
}

}  // namespace
}  // namespace ui::test

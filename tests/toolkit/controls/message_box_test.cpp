// The toolkit message box: layout, buttons and their results, icon, title, placement, its modal
// loop, and what it leaves behind.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "kIconStrip.h"
#include "tests/toolkit/toolkit_test_support.h"
#include "toolkit/controls/message_box.h"
#include "toolkit/core/control.h"
#include "toolkit/core/element_messages.h"
#include "toolkit/core/message_loops.h"
#include "toolkit/core/text_convert.h"
#include "toolkit/core/toolkit.h"

namespace ui {
namespace {

using ui::test::Rgba;

// What a probe sees of the open box; the probe runs inside the box's modal loop.
std::function<void(HWND)> g_probe;
HWND g_box = nullptr;
UINT g_key = 0;

void CALLBACK RunProbe(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    if (g_probe) g_probe(g_box);
}

void CALLBACK PressKey(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    PostMessageW(g_box, WM_KEYDOWN, g_key, 0);
}

// Opens a box with the caller's variables `options`, which it may write back into. With a
// probe, the probe runs once the box is shown and must close it; without one, `key` is pressed
// on the box as soon as it is up (input queued before, the box drops).
int OpenBoxKeeping(const std::string& text, MessageBoxOptions& options, UINT key,
                   std::function<void(HWND)> probe = {}, HWND owner = nullptr) {
    g_probe = std::move(probe);
    g_key = key;
    bool probing = static_cast<bool>(g_probe);
    options.onLayout = [probing](HWND box, int, int) {
        g_box = box;
        SetTimer(nullptr, 0, probing ? 100 : 1, probing ? RunProbe : PressKey);
    };
    return ToolkitMessageBox(owner, text, options);
}

int OpenBox(const std::string& text, MessageBoxOptions options, UINT key,
            std::function<void(HWND)> probe = {}, HWND owner = nullptr) {
    return OpenBoxKeeping(text, options, key, std::move(probe), owner);
}

// A plain window that counts the clicks, keys and screen readers' default actions that reach
// it.
int g_inputSeen = 0;
LRESULT CALLBACK CountInput(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_LBUTTONDOWN || message == WM_LBUTTONUP || message == WM_KEYDOWN ||
        message == kMsgAccessibleAction) {
        ++g_inputSeen;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

HWND CountingWindow() {
    WNDCLASSW counting{};
    counting.lpfnWndProc = &CountInput;
    counting.hInstance = GetModuleHandleW(nullptr);
    counting.lpszClassName = L"VsCountInput";
    RegisterClassW(&counting);
    return CreateWindowExW(0, L"VsCountInput", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                           counting.hInstance, nullptr);
}

class MessageBoxTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { ASSERT_TRUE(ui::StartToolkit()); }
};

// The box's buttons (push or glow buttons, not the caption's), left to right.
std::vector<ui::Element*> Buttons(HWND box) {
    ui::HostWindow* host = ui::HostWindow::FromWindow(box);
    std::vector<ui::Element*> buttons;
    for (ui::Element* e = host->Elements().First(); e; e = e->NextSibling()) {
        const ui::ElementType type = e->TypeId();
        if ((type == ui::ElementType::kControl || type == ui::ElementType::kGlowButton) &&
            e->Top() > 50)
            buttons.push_back(e);
    }
    std::sort(buttons.begin(), buttons.end(),
              [](ui::Element* a, ui::Element* b) { return a->Left() < b->Left(); });
    return buttons;
}

// Buttons from the right, as captions; and which one has the focus (1 = rightmost).
std::vector<std::string> Captions(HWND box, int* focus) {
    ui::HostWindow* host = ui::HostWindow::FromWindow(box);
    std::vector<std::string> captions;
    const std::vector<ui::Element*> buttons = Buttons(box);
    for (ui::Element* e : buttons) {
        captions.push_back(static_cast<ui::Control*>(e)->Text());
        if (host->Elements().Focus() == e)
            *focus = static_cast<int>(buttons.size() - captions.size()) + 1;
    }
    return captions;
}

TEST_F(MessageBoxTest, EachButtonSetHasItsCaptionsEnterPressesTheRightmostEscapeGivesOne) {
    struct Case {
        MessageButtons buttons;
        std::vector<std::string> captions;  // left to right
        int enterResult;
    };
    const Case cases[] = {
        {MessageButtons::kOk, {"确认"}, 0},
        {MessageButtons::kOkCancel, {"确认", "取消"}, 1},
        {MessageButtons::kAbortRetryIgnore, {"放弃", "重试", "忽略"}, 4},
        {MessageButtons::kYesNoCancel, {"是(&Y)", "否(&N)", "取消"}, 1},
        {MessageButtons::kYesNo, {"是(&Y)", "否(&N)"}, 6},
        {MessageButtons::kRetryCancel, {"重试", "取消"}, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.buttons));
        std::vector<std::string> seen;
        int focus = 0;
        auto probe = [&](HWND box) {
            seen = Captions(box, &focus);
            PostMessageW(box, WM_KEYDOWN, VK_RETURN, 0);
        };
        EXPECT_EQ(OpenBox("text", {.buttons = c.buttons}, VK_RETURN, probe), c.enterResult);
        EXPECT_EQ(seen, c.captions);
        EXPECT_EQ(focus, 1);
        EXPECT_EQ(OpenBox("text", {.buttons = c.buttons}, VK_ESCAPE), kResultCancel);
    }
}

// What the box shows for its arguments, and what it writes back into the caller's variables:
// the title and captions it showed where none were given. The probe presses Enter, or Escape
// when no button has the focus.
TEST_F(MessageBoxTest, ShowsItsArgumentsAndWritesBackTheTitleAndCaptionsItChose) {
    struct Case {
        const char* what;
        MessageBoxOptions given;
        std::string title;
        std::vector<std::string> captions;  // left to right
        int focus;                          // from the right
        int buttonHeight;
        int result;
    };
    const Case cases[] = {
        {"defaults",
         {.buttons = MessageButtons::kYesNo},
         "提示：",
         {"是(&Y)", "否(&N)"},
         1,
         24,
         kResultNo},
        {"title, default button, glow buttons",
         {.buttons = MessageButtons::kAbortRetryIgnore,
          .title = "标题",
          .defaultButton = 3,
          .glowButtons = true},
         "标题",
         {"放弃", "重试", "忽略"},
         3,
         26,
         kResultAbort},
        {"own captions return their position from the right",
         {.captions = {"甲", "乙", "丙"}, .defaultButton = 2},
         "提示：",
         {"甲", "乙", "丙"},
         2,
         24,
         2},
        {"no such set",
         {.buttons = static_cast<MessageButtons>(9)},
         "提示：",
         {},
         0,
         0,
         kResultCancel},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        MessageBoxOptions options = c.given;
        std::string shownTitle;
        std::vector<std::string> shown;
        int focus = 0;
        int height = 0;
        auto probe = [&](HWND box) {
            char title[64] = {};
            GetWindowTextA(box, title, sizeof title);
            shownTitle = title;
            shown = Captions(box, &focus);
            for (ui::Element* button : Buttons(box))
                height = button->Height();
            PostMessageW(box, WM_KEYDOWN, focus ? VK_RETURN : VK_ESCAPE, 0);
        };
        EXPECT_EQ(OpenBoxKeeping("text", options, VK_ESCAPE, probe), c.result);
        EXPECT_EQ(shownTitle, c.title);
        EXPECT_EQ(shown, c.captions);
        EXPECT_EQ(focus, c.focus);
        EXPECT_EQ(height, c.buttonHeight);
        EXPECT_EQ(options.title, c.title) << "written back";
        EXPECT_EQ(options.captions, c.captions) << "written back";
    }
}

// The box's host is attached with the caller's skin when one is given (its caption flags, when
// it has none, from the box's argument), else with its owner's look (nine-grid corners become
// rounded), else with the plain one; a close animation given is the host's.
TEST_F(MessageBoxTest, TakesTheCallersSkinElseItsOwnersLookElseThePlainOne) {
    AttachOptions ownerLook = ui::test::Bare();
    ownerLook.settings.layeredAlpha = 180;
    ownerLook.settings.cornerStyle = CornerStyle::kNineGrid;
    ui::test::TestWindow owner(ownerLook, {.x = 40, .y = 30, .width = 460, .height = 340});
    AttachOptions skin;
    skin.settings.layeredAlpha = 120;
    skin.settings.cornerStyle = CornerStyle::kSquare;
    skin.settings.draggable = false;
    skin.backgroundImage = ui::test::SolidPng(30, 20, ui::test::kGreen);
    struct Case {
        const char* what;
        HWND owner;
        std::optional<AttachOptions> skin;
        std::optional<AnimationKind> closeAnimation;
        int alpha;
        CornerStyle corners;
        bool draggable;
        int pictureWidth;  // of the background picture; 0: none
        AnimationKind closeKind;
    };
    const Case cases[] = {
        {"plain", nullptr, {}, {}, 210, CornerStyle::kRounded, true, 0, AnimationKind::kNone},
        {"owner's",
         owner.window,
         {},
         AnimationKind::kFade,
         180,
         CornerStyle::kRounded,
         true,
         0,
         AnimationKind::kFade},
        {"skin",
         owner.window,
         skin,
         {},
         120,
         CornerStyle::kSquare,
         false,
         30,
         AnimationKind::kNone},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        HostSettings seen;
        int pictureWidth = -1;
        auto probe = [&](HWND box) {
            HostWindow* host = HostWindow::FromWindow(box);
            seen = host->Settings();
            GpImage* picture = host->Composition().BackgroundImage();
            pictureWidth = picture ? SizeOf(picture).width : 0;
            PostMessageW(box, WM_KEYDOWN, VK_ESCAPE, 0);
        };
        OpenBox("text", {.customSkin = c.skin, .closeAnimation = c.closeAnimation}, VK_ESCAPE,
                probe, c.owner);
        EXPECT_EQ(seen.layeredAlpha, c.alpha);
        EXPECT_EQ(seen.cornerStyle, c.corners);
        EXPECT_EQ(seen.draggable, c.draggable);
        EXPECT_EQ(seen.captionFlags & (kCaptionTitle | kCaptionClose),
                  kCaptionTitle | kCaptionClose);
        EXPECT_EQ(pictureWidth, c.pictureWidth);
        EXPECT_EQ(seen.animationKind, c.closeKind);
    }
}

struct Placement {
    RECT rect{};
    bool topmost = false;
    std::string title;
};

Placement PlacementOf(const std::string& text, MessageBoxOptions options, HWND owner = nullptr) {
    Placement seen;
    auto probe = [&](HWND box) {
        GetWindowRect(box, &seen.rect);
        seen.topmost = (GetWindowLongPtrW(box, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
        char title[64] = {};
        GetWindowTextA(box, title, sizeof title);
        seen.title = title;
        PostMessageW(box, WM_KEYDOWN, VK_ESCAPE, 0);
    };
    OpenBox(text, std::move(options), VK_ESCAPE, probe, owner);
    return seen;
}

bool CentredIn(const RECT& inner, const RECT& outer) {
    int dx = (inner.left - outer.left) - (outer.right - inner.right);
    int dy = (inner.top - outer.top) - (outer.bottom - inner.bottom);
    return std::abs(dx) <= 1 && std::abs(dy) <= 1;
}

TEST_F(MessageBoxTest, GrowsToFitItsTextAndIsCentredTopmostWithTheDefaultTitle) {
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    struct Case {
        const char* what;
        std::string text;
        bool wider, taller;
    };
    const Case cases[] = {
        {"short", "短", false, false},
        {"long line", std::string(60, 'W') + "宽的一行文字", true, false},
        {"lines", "一\r\n二\r\n三\r\n四\r\n五", false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Placement p = PlacementOf(c.text, {});
        EXPECT_EQ(p.rect.right - p.rect.left > 320, c.wider);
        EXPECT_EQ(p.rect.bottom - p.rect.top > 150, c.taller);
        EXPECT_TRUE(CentredIn(p.rect, work));
        EXPECT_TRUE(p.topmost);
        EXPECT_EQ(p.title, "提示：");
    }
    ui::test::TestWindow owner(ui::test::Bare(), {.x = 40, .y = 30, .width = 460, .height = 340});
    ShowWindow(owner.window, SW_SHOW);
    Placement over = PlacementOf("text", {.title = "标题", .centreOnOwner = true}, owner.window);
    RECT ownerRect{};
    GetWindowRect(owner.window, &ownerRect);
    EXPECT_TRUE(CentredIn(over.rect, ownerRect));
    EXPECT_EQ(over.title, "标题");
}

// The icon value selects a 40 x 40 picture of the strip, drawn at (30, 40).
TEST_F(MessageBoxTest, DrawsThePictureOfItsIcon) {
    ui::LoadedImage strip = ui::LoadImage(ui::EmbeddedBytes(kIconStrip));
    ASSERT_TRUE(strip);
    struct Case {
        MessageIcon icon;
        int offset;
    };
    for (Case c : {Case{MessageIcon::kStop, 0}, Case{MessageIcon::kExclamation, 40},
                   Case{MessageIcon::kQuestion, 80}, Case{MessageIcon::kInformation, 120},
                   Case{MessageIcon::kFifth, 160}}) {
        SCOPED_TRACE(static_cast<int>(c.icon));
        int matching = 0, opaque = 0;
        auto probe = [&](HWND box) {
            ui::HostWindow* host = ui::HostWindow::FromWindow(box);
            for (int y = 2; y < 40; y += 4) {
                for (int x = 2; x < 40; x += 4) {
                    Rgba expected = ui::test::ImagePixel(strip.Get(), c.offset + x, y);
                    if (expected.a < 255) continue;
                    ++opaque;
                    if (ui::test::NearColour(ui::test::BackPixel(*host, 30 + x, 40 + y), expected,
                                             6)) {
                        ++matching;
                    }
                }
            }
            PostMessageW(box, WM_KEYDOWN, VK_ESCAPE, 0);
        };
        OpenBox("text", {.icon = c.icon, .beep = false}, VK_ESCAPE, probe);
        EXPECT_GT(opaque, 20);
        EXPECT_EQ(matching, opaque);
    }
}

// A click (or a screen reader's default action) on another window of the thread while the box
// is open never reaches that window, nor does one queued before the box came up (a second click on
// the button that opened it). A quit inside the box closes the box and still reaches the loop
// outside.
TEST_F(MessageBoxTest, TheModalLoopDropsInputForOtherWindowsAndKeepsPainting) {
    MSG click{.hwnd = reinterpret_cast<HWND>(1), .message = WM_LBUTTONDOWN};
    MSG paint{.hwnd = reinterpret_cast<HWND>(1), .message = WM_PAINT};
    MSG key{.hwnd = reinterpret_cast<HWND>(1), .message = WM_KEYDOWN};
    MSG own{.hwnd = reinterpret_cast<HWND>(2), .message = WM_LBUTTONDOWN};
    MSG action{.hwnd = reinterpret_cast<HWND>(1), .message = kMsgAccessibleAction};
    HWND box = reinterpret_cast<HWND>(2);
    EXPECT_TRUE(IsInputForOtherWindow(click, box));
    EXPECT_TRUE(IsInputForOtherWindow(key, box));
    EXPECT_TRUE(IsInputForOtherWindow(action, box));
    EXPECT_FALSE(IsInputForOtherWindow(paint, box));
    EXPECT_FALSE(IsInputForOtherWindow(own, box));
    HWND behind = CountingWindow();
    for (UINT queued :
         {UINT{WM_LBUTTONDOWN}, UINT{WM_LBUTTONUP}, UINT{WM_KEYDOWN}, UINT{kMsgAccessibleAction}})
        PostMessageW(behind, queued, 0, 0);
    EXPECT_EQ(OpenBox("text", {}, VK_ESCAPE), kResultCancel);
    ui::test::PumpPending();
    EXPECT_EQ(g_inputSeen, 0);
    DestroyWindow(behind);

    int result = OpenBox("text", {}, VK_ESCAPE, [](HWND) { PostQuitMessage(7); });
    EXPECT_EQ(result, kResultCancel);
    EXPECT_FALSE(IsWindow(g_box)) << "the box stayed after the quit";
    EXPECT_EQ(RunMessageLoop(), 7);
}

TEST_F(MessageBoxTest, TwoHundredBoxesLeaveGdiObjectsAndHeapFlat) {
    auto cycle = [] {
        OpenBox(
            "一\r\n二",
            {.buttons = MessageButtons::kYesNoCancel, .icon = MessageIcon::kStop, .beep = false},
            VK_ESCAPE);
        ui::test::PumpPending();
    };
    for (int i = 0; i < 10; ++i)
        cycle();  // caches warm up
    int gdi = ui::test::GdiObjectCount();
    std::size_t heap = ui::test::HeapBytesInUse();
    for (int i = 0; i < 200; ++i)
        cycle();
    int gdiAfter = ui::test::GdiObjectCount();
    std::size_t heapAfter = ui::test::HeapBytesInUse();
    std::printf("GDI objects %d -> %d, heap bytes %zu -> %zu\n", gdi, gdiAfter, heap, heapAfter);
    EXPECT_LE(gdiAfter - gdi, 2);
    EXPECT_LT(static_cast<long long>(heapAfter) - static_cast<long long>(heap), 64 * 1024);
}

}  // namespace
}  // namespace ui

// Pop-up menus: their size, where they open, how they close, what a choice reports, submenus,
// keys, and how the rows look.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "tests/toolkit/toolkit_test_support.h"
#include "toolkit/controls/menu_window.h"
#include "toolkit/controls/popup_menu.h"

namespace ui::test {
namespace {

// ---- Running steps inside a menu's own loop: thread timers, dispatched by any loop.

std::map<UINT_PTR, std::function<void()>>& PendingSteps() {
    static std::map<UINT_PTR, std::function<void()>> steps;
    return steps;
}

void CALLBACK RunStep(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    auto found = PendingSteps().find(id);
    if (found == PendingSteps().end()) return;
    std::function<void()> step = std::move(found->second);
    PendingSteps().erase(found);
    step();
}

void After(int ms, std::function<void()> step) {
    PendingSteps()[SetTimer(nullptr, 0, static_cast<UINT>(ms), RunStep)] = std::move(step);
}

// Runs `then` as soon as `done` holds, or after `ms` at the latest: a loaded machine may take
// longer than any fixed wait.
void WhenDoneOrAfter(int ms, std::function<bool()> done, std::function<void()> then) {
    if (ms <= 0 || done()) return then();
    After(50, [=] { WhenDoneOrAfter(ms - 50, done, then); });
}

BOOL CALLBACK CollectMenu(HWND window, LPARAM list) {
    char title[64] = {};
    GetWindowTextA(window, title, sizeof title);
    if (std::string(title) == kMenuWindowTitle && IsWindowVisible(window)) {
        reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
    }
    return TRUE;
}

// The shown menu windows of this thread.
std::vector<HWND> MenuWindows() {
    std::vector<HWND> found;
    EnumThreadWindows(GetCurrentThreadId(), CollectMenu, reinterpret_cast<LPARAM>(&found));
    return found;
}

RECT WindowRect(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return rect;
}

RECT WorkArea() {
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    return work;
}

int ScreenTextWidth(const wchar_t* text) {
    HDC screen = GetDC(nullptr);
    SIZE extent{};
    GetTextExtentPoint32W(screen, text, static_cast<int>(wcslen(text)), &extent);
    ReleaseDC(nullptr, screen);
    return extent.cx;
}

void Post(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    PostMessageW(window, message, wParam, lParam);
}

// The middle of row `row` (from 0) of a menu without separators, in window pixels.
POINT RowCentre(int row, int width = 96) {
    return {width / 2, 8 + 22 * row + 11};
}

POINT OnScreen(HWND window, POINT client) {
    ClientToScreen(window, &client);  // the whole of a toolkit window is client area
    return client;
}

// A real click of the left button at a screen point.
void MouseClick(POINT screen) {
    SetCursorPos(screen.x, screen.y);
    INPUT inputs[2] = {};
    inputs[0].type = inputs[1].type = INPUT_MOUSE;
    inputs[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    inputs[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(2, inputs, sizeof(INPUT));
}

void ClickRow(HWND window, int row, int width = 96) {
    MouseClick(OnScreen(window, RowCentre(row, width)));
}

// ---- The window that owns the menus, and the menus.

struct Owner {
    TestWindow w{Bare(), {.x = 200, .y = 150, .width = 300, .height = 200, .show = true}};
    std::vector<std::pair<WPARAM, LPARAM>> commands;

    Owner() {
        w.host->Callbacks().rawMessage = [this](HWND, UINT message, WPARAM wParam,
                                                LPARAM lParam) -> LRESULT {
            if (message == WM_COMMAND) commands.emplace_back(wParam, lParam);
            return -1;
        };
        SetCursorPos(2, 700);  // away from every menu
        SetForegroundWindow(w.window);
        PumpFor(20);
    }
    std::vector<WPARAM> Ids() const {
        std::vector<WPARAM> ids;
        for (const auto& command : commands)
            ids.push_back(command.first);
        return ids;
    }
    // Shows `menu` and lets `act` work on its window 30 ms after it is shown. Returns whether
    // the menu closed by itself: a guard closes whatever is left after 6 s.
    bool Show(PopupMenu& menu, POINT at, std::function<void(HWND)> act) {
        menu.SetOnPopup([act](HWND window, bool atPoint) {
            EXPECT_TRUE(atPoint);
            After(30, [act, window] { act(window); });
        });
        bool guarded = false;
        After(6000, [&guarded] {
            guarded = true;
            for (HWND window : MenuWindows())
                Post(window, WM_CLOSE);
        });
        menu.PopupAt(w.window, at.x, at.y);
        for (const auto& [id, step] : PendingSteps())
            KillTimer(nullptr, id);
        PendingSteps().clear();
        return !guarded;
    }
};

const char* const kWizardTexts[] = {"帮助", "主页", "论坛(&F)", "退出"};

// Four items as the wizard builds its menu, with ids 1 to 4.
PopupMenu FourItems(int width = 96) {
    PopupMenu menu;
    for (int i = 0; i < 4; ++i) {
        menu.AddItem({.text = kWizardTexts[i],
                      .icon = SolidPng(16, 16, kRed),
                      .report = MenuReport::kCommand,
                      .id = i + 1,
                      .textColor = 0xFE000000,
                      .effect = TextEffect::kHalo});
    }
    menu.SetWidth(width);
    return menu;
}

MenuItem Command(const char* text, int id) {
    return {.text = text, .report = MenuReport::kCommand, .id = id};
}

// ---- Items

TEST(PopupMenu, ItemOperationsTakePositionsFrom1AndIgnoreOthers) {
    PopupMenu menu = FourItems();
    EXPECT_TRUE(menu.IsValidPosition(1));
    EXPECT_TRUE(menu.IsValidPosition(4));
    for (int bad : {0, 5, -1}) {
        EXPECT_FALSE(menu.IsValidPosition(bad));
        EXPECT_FALSE(menu.RemoveItem(bad));
        menu.SetItemState(bad, kMenuItemDisabled);
        menu.SetItemText(bad, "x");
        EXPECT_EQ(menu.ItemState(bad), 0);
        EXPECT_EQ(menu.ItemText(bad), "");
        EXPECT_TRUE(menu.ItemIcon(bad).empty());
    }
    menu.SetItemState(2, kMenuItemChecked);
    menu.SetItemText(2, "首页");
    EXPECT_EQ(menu.ItemState(2), kMenuItemChecked);
    EXPECT_EQ(menu.ItemText(2), "首页");
    EXPECT_TRUE(menu.RemoveItem(1));
    EXPECT_EQ(menu.ItemCount(), 3);
    EXPECT_EQ(menu.ItemText(1), "首页");
    // The menu's hover colour goes to the items that have none.
    menu.AddItem({.text = "a", .hoverColor = kGreen});
    menu.SetHoverColor(kBlue);
    EXPECT_EQ(menu.Items()[0].hoverColor, kBlue);
    EXPECT_EQ(menu.Items()[3].hoverColor, kGreen);
    menu.ClearItems();
    EXPECT_EQ(menu.ItemCount(), 0);
}

// ---- Size and place

// The rectangle of the menu window while it is shown.
RECT ShownRect(Owner& owner, PopupMenu& menu, POINT at) {
    RECT rect{};
    EXPECT_TRUE(owner.Show(menu, at, [&](HWND window) {
        rect = WindowRect(window);
        Post(window, WM_CLOSE);
    }));
    return rect;
}

TEST(PopupMenu, TheWindowHasTheSizeItsItemsAndWidthGive) {
    PopupMenu sub = FourItems();
    PopupMenu measured;
    measured.AddItem(Command("短", 1));
    measured.AddItem(Command("一个比较长的菜单项", 2));
    measured.AddItem({.kind = MenuItemKind::kSeparator});
    measured.AddItem({.text = "隐藏的项比其他的项都要长得多", .state = kMenuItemHidden});
    PopupMenu withSubmenu = FourItems();
    withSubmenu.AddItem({.text = "更多", .kind = MenuItemKind::kSubmenu, .submenu = &sub});
    struct Case {
        const char* name;
        PopupMenu menu;
        int width, height;
    };
    Case cases[] = {
        {"wizard's menu", FourItems(96), 96, 4 * 22 + 16},
        {"a width below 50", FourItems(30), 50, 104},
        {"measured, with a separator and a hidden item", measured,
         ScreenTextWidth(L"一个比较长的菜单项") + 50, 2 * 22 + 3 + 16},
        {"a submenu arrow", withSubmenu, 96 + 15, 5 * 22 + 16},
    };
    Owner owner;
    for (Case& c : cases) {
        RECT rect = ShownRect(owner, c.menu, {300, 200});
        EXPECT_EQ(rect.right - rect.left, c.width) << c.name;
        EXPECT_EQ(rect.bottom - rect.top, c.height) << c.name;
    }
    EXPECT_TRUE(MenuWindows().empty());
    EXPECT_TRUE(owner.commands.empty());
}

TEST(PopupMenu, OpensAtThePointOrToItsLeftAndAboveNearTheEdges) {
    RECT work = WorkArea();
    struct Case {
        const char* name;
        POINT at, expected;
    };
    const Case cases[] = {
        {"middle", {300, 200}, {300, 200}},
        {"right edge", {work.right - 40, 200}, {work.right - 40 - 96, 200}},
        {"the margin of 5 may pass", {work.right - 91, 200}, {work.right - 91, 200}},
        {"bottom edge", {300, work.bottom - 50}, {300, work.bottom - 50 - 104}},
        {"corner", {work.right - 10, work.bottom - 10}, {work.right - 106, work.bottom - 114}},
    };
    Owner owner;
    PopupMenu menu = FourItems();
    for (const Case& c : cases) {
        RECT rect = ShownRect(owner, menu, c.at);
        EXPECT_EQ(rect.left, c.expected.x) << c.name;
        EXPECT_EQ(rect.top, c.expected.y) << c.name;
    }
    SetCursorPos(321, 234);  // (0, 0): at the mouse
    RECT rect = ShownRect(owner, menu, {0, 0});
    EXPECT_EQ(rect.left, 321);
    EXPECT_EQ(rect.top, 234);
}

// A menu whose third row opens a submenu, opened with the keys; returns the rectangles of the
// submenu and of its parent.
std::pair<RECT, RECT> SubmenuBeside(Owner& owner, POINT at) {
    PopupMenu sub = FourItems();
    PopupMenu menu;
    menu.AddItem(Command("一", 1));
    menu.AddItem(Command("二", 2));
    menu.AddItem({.text = "更多", .kind = MenuItemKind::kSubmenu, .submenu = &sub});
    menu.SetWidth(96);
    RECT subRect{}, parentRect{};
    sub.SetOnPopup([&](HWND window, bool atPoint) {
        EXPECT_FALSE(atPoint);
        subRect = WindowRect(window);
        Post(GetParent(window), WM_CLOSE);
    });
    EXPECT_TRUE(owner.Show(menu, at, [&](HWND window) {
        parentRect = WindowRect(window);
        for (int i = 0; i < 3; ++i)
            Post(window, WM_KEYDOWN, VK_DOWN);
        Post(window, WM_KEYDOWN, VK_RIGHT);
    }));
    return {subRect, parentRect};
}

TEST(PopupMenu, ASubmenuOpensBesideItsRowOrLeftOfItsParentOrHigherNearTheEdges) {
    RECT work = WorkArea();
    constexpr int kRowTop = 8 + 2 * 22, kRowBottom = kRowTop + 22;
    Owner owner;
    auto [sub, parent] = SubmenuBeside(owner, {300, 200});
    EXPECT_EQ(sub.left, parent.right - 10);
    EXPECT_EQ(sub.top, parent.top + kRowTop - 7);
    std::tie(sub, parent) = SubmenuBeside(owner, {work.right - 150, 200});
    EXPECT_EQ(sub.left, parent.left - 96 + 10);
    std::tie(sub, parent) = SubmenuBeside(owner, {300, work.bottom - 110});
    EXPECT_EQ(sub.bottom, parent.top + kRowBottom + 7);
    EXPECT_TRUE(MenuWindows().empty());
    EXPECT_TRUE(owner.commands.empty());
}

// ---- Closing and choosing

TEST(PopupMenu, EscapeAClickElsewhereAndAQuitCloseItWithoutACommand) {
    Owner owner;
    PopupMenu menu = FourItems();
    EXPECT_TRUE(owner.Show(menu, {300, 200}, [](HWND w) { Post(w, WM_KEYDOWN, VK_ESCAPE); }));
    // A real click on the owner beside the menu activates the owner, which closes the menu.
    EXPECT_TRUE(owner.Show(menu, {260, 170}, [](HWND) { MouseClick({450, 300}); }));
    // A quit ends the menu and stays queued for the thread's own loop.
    EXPECT_TRUE(owner.Show(menu, {300, 200}, [](HWND) { PostQuitMessage(7); }));
    MSG quit{};
    ASSERT_TRUE(PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(quit.wParam, 7u);

    EXPECT_TRUE(owner.commands.empty());
    EXPECT_TRUE(MenuWindows().empty());
}

TEST(PopupMenu, AChoiceSendsTheItemsIdToTheOwnerByMouseKeysOrAccelerator) {
    struct Case {
        const char* name;
        std::function<void(HWND)> act;
        WPARAM id;
    };
    const Case cases[] = {
        {"click on row 3", [](HWND w) { ClickRow(w, 2); }, 3},
        {"Down Down Enter",
         [](HWND w) {
             Post(w, WM_KEYDOWN, VK_DOWN);
             Post(w, WM_KEYDOWN, VK_DOWN);
             Post(w, WM_KEYDOWN, VK_RETURN);
         },
         2},
        {"Up wraps to the last",
         [](HWND w) {
             Post(w, WM_KEYDOWN, VK_UP);
             Post(w, WM_KEYDOWN, VK_RETURN);
         },
         4},
        {"the accelerator's letter", [](HWND w) { Post(w, WM_KEYDOWN, 'F'); }, 3},
        {"Alt with it", [](HWND w) { Post(w, WM_SYSCHAR, 'f'); }, 3},
    };
    Owner owner;
    for (const Case& c : cases) {
        owner.commands.clear();
        SetCursorPos(2, 700);  // a row under the mouse would take the highlight
        PopupMenu menu = FourItems();
        EXPECT_TRUE(owner.Show(menu, {300, 200}, c.act)) << c.name;
        EXPECT_EQ(owner.Ids(), std::vector<WPARAM>{c.id}) << c.name;
        EXPECT_TRUE(MenuWindows().empty()) << c.name;
    }
}

TEST(PopupMenu, TheCommandNamesTheOwnersElementUnderTheMouseWhichTakesTheFocus) {
    Owner owner;
    SolidElement target(kGreen);
    ASSERT_TRUE(target.Create(owner.w.window, SpecAt(20, 20, 100, 100)));
    SetCursorPos(200 + 50, 150 + 50);
    PopupMenu menu = FourItems();
    EXPECT_TRUE(owner.Show(menu, {300, 200}, [](HWND w) { Post(w, WM_KEYDOWN, 'F'); }));
    ASSERT_EQ(owner.commands.size(), 1u);
    EXPECT_EQ(owner.commands[0].second, reinterpret_cast<LPARAM>(&target));
    EXPECT_EQ(owner.w.host->Elements().Focus(), &target);
}

TEST(PopupMenu, DisabledItemsSeparatorsAndOtherKeysChooseNothing_ARoutineItemIsCalled) {
    Owner owner;
    int called = 0;
    PopupMenu menu;
    menu.AddItem(
        {.text = "剪切(&T)", .state = kMenuItemDisabled, .report = MenuReport::kCommand, .id = 88});
    menu.AddItem({.kind = MenuItemKind::kSeparator});
    menu.AddItem({.text = "调用(&R)", .routine = [&] { ++called; }});
    menu.AddItem({.text = "无(&N)"});  // a routine item without a routine
    menu.SetWidth(96);
    EXPECT_TRUE(owner.Show(menu, {300, 200}, [](HWND w) {
        ClickRow(w, 0);                             // the disabled row
        MouseClick(OnScreen(w, {48, 8 + 22 + 1}));  // the separator
        Post(w, WM_KEYDOWN, 'T');                   // the disabled row's accelerator
        Post(w, WM_KEYDOWN, VK_F5);                 // code 0x74, "t"
        Post(w, WM_KEYDOWN, 'N');
        After(300, [w] { Post(w, WM_KEYDOWN, VK_ESCAPE); });
    }));
    EXPECT_TRUE(owner.commands.empty());
    EXPECT_EQ(called, 0);
    EXPECT_TRUE(owner.Show(menu, {300, 200}, [](HWND w) { Post(w, WM_KEYDOWN, 'R'); }));
    EXPECT_EQ(called, 1);
    EXPECT_TRUE(owner.commands.empty());
}

// ---- Submenus

struct WithSubmenu {
    PopupMenu sub = FourItems();
    PopupMenu menu;
    WithSubmenu() {
        menu.AddItem(Command("一", 1));
        menu.AddItem({.text = "更多", .kind = MenuItemKind::kSubmenu, .submenu = &sub});
        menu.SetWidth(96);
    }
};

TEST(PopupMenu, ASubmenuOpensWhenTheMouseRestsOnItsRowAndItsChoiceClosesTheChain) {
    Owner owner;
    WithSubmenu m;
    DWORD rested = 0, opened = 0;
    HWND root = nullptr;
    m.sub.SetOnPopup([&](HWND window, bool) {
        opened = GetTickCount();
        EXPECT_EQ(GetParent(window), root);
        EXPECT_EQ(GetPropW(window, kMenuRootProperty), root);
        EXPECT_EQ(GetPropW(root, kMenuSubProperty), window);
        // After its 100 ms slide, during which the window takes no mouse input.
        After(400, [window] { ClickRow(window, 3); });
    });
    EXPECT_TRUE(owner.Show(m.menu, {300, 200}, [&](HWND window) {
        root = window;
        EXPECT_EQ(GetPropW(window, kMenuRootProperty), window);
        EXPECT_EQ(GetPropW(window, kWindowFlagsProperty), reinterpret_cast<HANDLE>(1));
        rested = GetTickCount();
        POINT row = OnScreen(window, RowCentre(1));
        SetCursorPos(row.x, row.y);
    }));
    EXPECT_GE(opened - rested, 450u);
    EXPECT_EQ(owner.Ids(), std::vector<WPARAM>{4});
    EXPECT_TRUE(MenuWindows().empty());
}

TEST(PopupMenu, ASiblingRowEscapeOrLeftCloseOnlyTheSubmenu) {
    struct Case {
        const char* name;
        std::function<void(HWND sub, HWND root)> close;
    };
    const Case cases[] = {
        {"the mouse on a sibling row",
         [](HWND, HWND root) {
             POINT row = OnScreen(root, RowCentre(0));
             SetCursorPos(row.x, row.y);
         }},
        {"Escape", [](HWND sub, HWND) { Post(sub, WM_KEYDOWN, VK_ESCAPE); }},
        {"Left", [](HWND sub, HWND) { Post(sub, WM_KEYDOWN, VK_LEFT); }},
    };
    Owner owner;
    for (const Case& c : cases) {
        WithSubmenu m;
        bool onlySubmenuClosed = false;
        m.sub.SetOnPopup([&](HWND sub, bool) {
            HWND root = GetParent(sub);
            After(150, [&c, sub, root, &onlySubmenuClosed] {
                c.close(sub, root);
                WhenDoneOrAfter(
                    5000, [sub] { return !IsWindow(sub); },
                    [sub, root, &onlySubmenuClosed] {
                        onlySubmenuClosed = !IsWindow(sub) && IsWindowVisible(root);
                        Post(root, WM_KEYDOWN, VK_ESCAPE);
                    });
            });
        });
        EXPECT_TRUE(owner.Show(m.menu, {300, 200}, [](HWND w) {
            Post(w, WM_KEYDOWN, VK_UP);
            Post(w, WM_KEYDOWN, VK_RIGHT);
        })) << c.name;
        EXPECT_TRUE(onlySubmenuClosed) << c.name;
        EXPECT_TRUE(owner.commands.empty()) << c.name;
    }
}

// ---- Look

TEST(PopupMenu, RowsShowIconsCheckMarksSeparatorsFadedDisabledItemsAndTheHighlight) {
    Owner owner;
    PopupMenu menu;
    menu.AddItem({.text = "图标", .icon = SolidPng(16, 16, kRed)});
    menu.AddItem({.text = "选中", .state = kMenuItemChecked, .textColor = Argb(0, 255)});
    menu.AddItem({.kind = MenuItemKind::kSeparator});
    menu.AddItem({.text = "禁用禁用", .state = kMenuItemDisabled, .textColor = Argb(0, 255)});
    menu.AddItem({.text = "禁用禁用", .textColor = Argb(0, 255)});
    menu.SetWidth(120);
    menu.SetHoverColor(Argb(0x0000FF, 255));
    // Rows: 8..30, 30..52, the separator 52..55, 55..77, 77..99.
    EXPECT_TRUE(owner.Show(menu, {300, 200}, [&](HWND window) {
        HostWindow& host = *HostWindow::FromWindow(window);
        host.Refresh();
        // The icon: 16 x 16 at (12, 11), in the icon column.
        EXPECT_TRUE(NearColour(BackPixel(host, 20, 19), kRedPixel, 8));
        EXPECT_FALSE(NearColour(BackPixel(host, 20, 29), kRedPixel, 60));
        // The darkest pixel (sum of the channels) of a part of the window.
        auto darkest = [&](int x0, int y0, int x1, int y1) {
            int best = 255 * 3;
            for (int y = y0; y < y1; ++y) {
                for (int x = x0; x < x1; ++x) {
                    Rgba p = BackPixel(host, x, y);
                    best = std::min(best, p.r + p.g + p.b);
                }
            }
            return best;
        };
        int panel = darkest(80, 42, 100, 43);
        EXPECT_LT(darkest(14, 35, 26, 47), panel - 150) << "check mark";
        EXPECT_LT(darkest(40, 53, 100, 54), panel - 30) << "separator line";
        EXPECT_LT(darkest(38, 77, 110, 99), darkest(38, 55, 110, 77) - 100)
            << "the disabled text is fainter";
        // The row under the mouse is tinted in the hover colour.
        Rgba before = BackPixel(host, 100, 88);
        SendMessageW(window, WM_MOUSEMOVE, 0, MAKELPARAM(100, 88));
        host.Refresh();
        Rgba lit = BackPixel(host, 100, 88);
        EXPECT_GT(lit.b - lit.r, before.b - before.r + 20);
        Post(window, WM_CLOSE);
    }));
}

}  // namespace
}  // namespace ui::test

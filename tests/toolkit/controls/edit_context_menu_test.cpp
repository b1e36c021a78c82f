// The edit boxes' shared context menu: built at start-up, its states set by the box, and its
// commands delivered to the element under the mouse as WM_COMMAND.
#include <gtest/gtest.h>

#include <optional>

#include "tests/toolkit/toolkit_test_support.h"
#include "toolkit/controls/edit_context_menu.h"

namespace ui::test {
namespace {

TEST(EditContextMenu, HasCutCopyPasteASeparatorAndSelectAllFromStartUp) {
    const PopupMenu& menu = EditContextMenu();
    struct Expected {
        const char* text;
        MenuItemKind kind;
        int id;
    };
    const Expected expected[] = {
        {"剪切(&T)", MenuItemKind::kCommand, 88},     {"复制(&C)", MenuItemKind::kCommand, 67},
        {"粘贴(&P)", MenuItemKind::kCommand, 86},     {"", MenuItemKind::kSeparator, 0},
        {"全部选择(&A)", MenuItemKind::kCommand, 65},
    };
    ASSERT_EQ(menu.ItemCount(), 5);
    for (int i = 0; i < 5; ++i) {
        const MenuItem& item = menu.Items()[i];
        EXPECT_EQ(item.text, expected[i].text);
        EXPECT_EQ(item.kind, expected[i].kind);
        EXPECT_EQ(item.id, expected[i].id);
        if (item.kind == MenuItemKind::kCommand) {
            EXPECT_EQ(item.report, MenuReport::kCommand);
        }
    }
}

// An element that keeps the commands the host hands it.
struct EditBoxWithMenu {
    TestWindow w{Bare(), {.x = 200, .y = 150, .width = 300, .height = 200, .show = true}};
    SolidElement box{kGreen};
    std::vector<WPARAM> commands;
    EditBoxWithMenu() {
        box.Create(w.window, SpecAt(20, 20, 200, 30));
        box.BindEvent(WM_COMMAND, [this](const ElementEvent& e) {
            commands.push_back(e.wParam);
            return 0;
        });
        SetForegroundWindow(w.window);
        SetCursorPos(200 + 60, 150 + 30);  // over the box
        PumpFor(20);
    }
    // Shows the menu with `states` and presses `key` in it (Escape follows, for a key that
    // chooses nothing).
    void ShowAndPress(const EditMenuStates& states, WPARAM key) {
        EditContextMenu().SetOnPopup([key](HWND menu, bool) {
            PostMessageW(menu, WM_KEYDOWN, key, 0);
            PostMessageW(menu, WM_KEYDOWN, VK_ESCAPE, 0);
        });
        ShowEditContextMenu(w.window, states);
        EditContextMenu().SetOnPopup(nullptr);
    }
};

TEST(EditContextMenu, TakesTheBoxsStatesAndDeliversTheChosenCommandToTheBox) {
    struct Case {
        EditMenuStates states;
        WPARAM key;
        std::optional<WPARAM> command;
    };
    const Case cases[] = {
        {{.cut = -1, .copy = 0, .paste = -1, .selectAll = 1}, 'C', kEditCopy},
        {{.cut = -1, .copy = 0, .paste = -1, .selectAll = 1}, 'T', std::nullopt},
        {{.cut = -1, .copy = 0, .paste = -1, .selectAll = 1}, 'P', std::nullopt},
        {{.cut = -1, .copy = 0, .paste = -1, .selectAll = 1}, 'A', kEditSelectAll},
        {{.cut = 0, .copy = 0, .paste = 0, .selectAll = -1}, 'T', kEditCut},
        {{.cut = 0, .copy = 0, .paste = 0, .selectAll = -1}, 'P', kEditPaste},
        {{.cut = 0, .copy = 0, .paste = 0, .selectAll = -1}, 'A', std::nullopt},
    };
    EditBoxWithMenu b;
    for (const Case& c : cases) {
        b.commands.clear();
        b.ShowAndPress(c.states, c.key);
        const PopupMenu& menu = EditContextMenu();
        EXPECT_EQ(menu.ItemState(kEditMenuCut), c.states.cut);
        EXPECT_EQ(menu.ItemState(kEditMenuSelectAll), c.states.selectAll);
        std::vector<WPARAM> expected;
        if (c.command) expected.push_back(*c.command);
        EXPECT_EQ(b.commands, expected) << "key " << static_cast<char>(c.key);
        EXPECT_EQ(b.w.host->Elements().Focus(), &b.box);
    }
}

}  // namespace
}  // namespace ui::test

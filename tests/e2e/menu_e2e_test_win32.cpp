// The toolkit's pop-up menu in a program of its own, opened and used with the real mouse and
// keyboard: a row clicked, a row reached with the arrows and Enter, Escape.
#include <gtest/gtest.h>

#include "tests/e2e/e2e_support.h"
#include "tools/uidriver/key_input.h"
#include "tools/uidriver/launched_process.h"
#include "tools/uidriver/ui_driver.h"

namespace e2e {
namespace {

constexpr int kAppearMs = 15000;

WindowQuery Titled(const char* title, DWORD processId) {
    WindowQuery query;
    query.title = title;
    query.processId = processId;
    return query;
}

// Clicks the probe's window, which opens the menu at the mouse; returns the menu window.
HWND OpenMenu(HWND probe, DWORD processId) {
    if (!ClickAt(probe, 40, 40)) return nullptr;
    auto menu = WaitForWindow(Titled("Ui_Surface_Menu", processId), kAppearMs);
    return menu ? menu->handle : nullptr;
}

TEST(Menu, AnItemChosenByMouseOrKeysReachesTheOwnerAndEscapeChoosesNothing) {
    auto program = LaunchedProcess::Start(MenuProbePath());
    ASSERT_TRUE(program);
    const DWORD id = program->Id();
    auto probe = WaitForWindow(Titled("MenuProbe", id), kAppearMs);
    ASSERT_TRUE(probe) << "the probe's window did not appear";

    // The mouse on the second row (主页): rows of 22 pixels from y = 8.
    HWND menu = OpenMenu(probe->handle, id);
    ASSERT_TRUE(menu);
    RECT rect{};
    GetWindowRect(menu, &rect);
    EXPECT_EQ(rect.right - rect.left, 96);
    EXPECT_EQ(rect.bottom - rect.top, 104);
    ASSERT_TRUE(ClickAt(menu, 48, 8 + 22 + 11));
    EXPECT_TRUE(WaitForWindow(Titled("command 2", id), kAppearMs));
    EXPECT_TRUE(WaitForNoWindow(Titled("Ui_Surface_Menu", id), kAppearMs));

    // Down three times lands on the third row (论坛).
    ASSERT_TRUE(OpenMenu(probe->handle, id));
    PressKeys({VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN});
    EXPECT_TRUE(WaitForWindow(Titled("command 3", id), kAppearMs));
    EXPECT_TRUE(WaitForNoWindow(Titled("Ui_Surface_Menu", id), kAppearMs));

    // Escape closes the menu; the title keeps the last command.
    ASSERT_TRUE(OpenMenu(probe->handle, id));
    PressKeys({VK_ESCAPE});
    EXPECT_TRUE(WaitForNoWindow(Titled("Ui_Surface_Menu", id), kAppearMs));
    EXPECT_EQ(WindowText(probe->handle), "command 3");

    PostMessageA(probe->handle, WM_CLOSE, 0, 0);
    EXPECT_EQ(program->WaitForExit(kAppearMs), 0u);
}

}  // namespace
}  // namespace e2e

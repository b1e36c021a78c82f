// The message box driven with real mouse input: clicks on the window behind it are ignored,
// and a click on a button ends the box with that button's value.
#include <gtest/gtest.h>

#include <string>

#include "tools/uidriver/launched_process.h"
#include "tools/uidriver/ui_driver.h"

namespace {

// The probe is built beside this test.
std::string ProbePath() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path);
    return folder.substr(0, folder.find_last_of('\\') + 1) + "message_box_probe.exe";
}

TEST(MessageBoxEndToEnd, IgnoresClicksOnTheOwnerAndReturnsTheClickedButton) {
    auto probe = e2e::LaunchedProcess::Start(ProbePath());
    ASSERT_TRUE(probe);
    auto box = e2e::WaitForWindow({.title = "提示：", .processId = probe->Id()}, 10000);
    auto owner = e2e::WaitForWindow({.title = "Owner", .processId = probe->Id()}, 10000);
    ASSERT_TRUE(box && owner);
    e2e::ClickAt(owner->handle, 20, 20);  // outside the box, which is centred over the owner
    e2e::ClickAt(owner->handle, 440, 320);
    Sleep(300);
    EXPECT_TRUE(IsWindow(box->handle));
    // 否(&N), the second button from the right of the 320 x 150 box: x 162..232, y 115..139.
    e2e::ClickAt(box->handle, 197, 127);
    EXPECT_EQ(probe->WaitForExit(10000), 6u);  // 否 and no click on the owner
}

}  // namespace

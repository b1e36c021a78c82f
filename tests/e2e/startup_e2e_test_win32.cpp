// The program started as a person would start it: under its own name, as uninstall.exe, and a
// second time while the wizard is open.
#include <gtest/gtest.h>

#include "tests/e2e/e2e_support.h"
#include "tools/uidriver/launched_process.h"
#include "tools/uidriver/ui_driver.h"

namespace e2e {
namespace {

constexpr int kAppearMs = 15000;
constexpr int kExitMs = 15000;
const char kWizardClass[] = "FenWix";
const char kWizardTitle[] = "VantorSaelin 安装向导";

WindowQuery MessageBoxOf(DWORD processId) {
    WindowQuery query;
    query.className = "#32770";
    query.processId = processId;
    return query;
}

WindowQuery WizardOf(DWORD processId) {
    WindowQuery query;
    query.className = kWizardClass;
    query.title = kWizardTitle;
    query.processId = processId;
    return query;
}

TEST(Startup, AsUninstallExeItAsksAndNoEndsWithExitCodeZero) {
    ScratchFolder folder;
    auto program = LaunchedProcess::Start(folder.CopyIn(ProgramPath(), "uninstall.exe"));
    ASSERT_TRUE(program);
    auto box = WaitForWindow(MessageBoxOf(program->Id()), kAppearMs);
    ASSERT_TRUE(box) << "no confirmation appeared";
    EXPECT_EQ(box->title, "卸载 VantorSaelin");
    EXPECT_EQ(MessageBoxText(box->handle), "是否卸载 VantorSaelin ？");
    EXPECT_NE(GetDlgItem(box->handle, IDYES), nullptr);
    EXPECT_NE(GetDlgItem(box->handle, IDNO), nullptr);
    EXPECT_EQ(GetDlgItem(box->handle, IDCANCEL), nullptr);
    EXPECT_EQ(GetWindow(box->handle, GW_OWNER), nullptr);

    ASSERT_TRUE(ClickButton(box->handle, IDNO));
    EXPECT_EQ(program->WaitForExit(kExitMs), 0u);
    EXPECT_TRUE(ListTopLevelWindows(WizardOf(program->Id())).empty());
}

TEST(Startup, AsUninstallExeYesRunsTheUninstallAndEndsWithExitCodeZero) {
    ScratchFolder folder;
    auto program = LaunchedProcess::Start(folder.CopyIn(ProgramPath(), "uninstall.exe"));
    ASSERT_TRUE(program);
    auto question = WaitForWindow(MessageBoxOf(program->Id()), kAppearMs);
    ASSERT_TRUE(question);
    ASSERT_TRUE(ClickButton(question->handle, IDYES));

    // The uninstall ends with its report; the process ends when it is dismissed.
    WindowQuery reportQuery = MessageBoxOf(program->Id());
    reportQuery.title = "卸载完毕";
    auto report = WaitForWindow(reportQuery, 60000);
    ASSERT_TRUE(report) << "no final report appeared";
    EXPECT_EQ(MessageBoxText(report->handle).rfind("VantorSaelin 卸载完毕！", 0), 0u);
    ASSERT_TRUE(ClickButton(report->handle, IDOK));
    EXPECT_EQ(program->WaitForExit(kExitMs), 0u);
}

TEST(Startup, ANameThatDiffersOnlyInCaseRunsTheInstaller) {
    ScratchFolder folder;
    auto program = LaunchedProcess::Start(folder.CopyIn(ProgramPath(), "Uninstall.exe"));
    ASSERT_TRUE(program);
    auto wizard = WaitForWindow(WizardOf(program->Id()), kAppearMs);
    ASSERT_TRUE(wizard) << "the installer's window did not appear";
    EXPECT_TRUE(ListTopLevelWindows(MessageBoxOf(program->Id())).empty());

    PostMessageA(wizard->handle, WM_CLOSE, 0, 0);
    EXPECT_EQ(program->WaitForExit(kExitMs), 0u);
}

TEST(Startup, ASecondInstallerBringsTheOpenWizardToTheFrontAndEnds) {
    ScratchFolder folder;
    const std::string setup = folder.CopyIn(ProgramPath(), "VantorSaelin-Setup.exe");
    auto first = LaunchedProcess::Start(setup);
    ASSERT_TRUE(first);
    auto wizard = WaitForWindow(WizardOf(first->Id()), kAppearMs);
    ASSERT_TRUE(wizard);
    ShowWindow(wizard->handle, SW_MINIMIZE);
    ASSERT_TRUE(IsIconic(wizard->handle));

    auto second = LaunchedProcess::Start(setup);
    ASSERT_TRUE(second);
    EXPECT_EQ(second->WaitForExit(kExitMs), 0u);

    WindowQuery anyWizard = WizardOf(0);
    EXPECT_EQ(ListTopLevelWindows(anyWizard).size(), 1u);
    EXPECT_FALSE(IsIconic(wizard->handle)) << "the open wizard was not restored";
    EXPECT_FALSE(first->WaitForExit(0)) << "the first installer ended";

    PostMessageA(wizard->handle, WM_CLOSE, 0, 0);
    EXPECT_EQ(first->WaitForExit(kExitMs), 0u);
}

}  // namespace
}  // namespace e2e

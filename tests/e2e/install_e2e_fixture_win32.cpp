#include "tests/e2e/install_e2e_fixture.h"

#include <objbase.h>

namespace e2e {

void InstallE2E::SetUp() {
    CoInitialize(nullptr);
    DeleteRegistryTree(HKEY_CURRENT_USER, kSettingsKey);
    DeleteRegistryTree(HKEY_LOCAL_MACHINE, kUninstallKey);
    if (RegistryKeyExists(HKEY_CURRENT_USER, kRunKey)) {
        HKEY run = nullptr;
        RegOpenKeyExA(HKEY_CURRENT_USER, kRunKey, 0, KEY_ALL_ACCESS, &run);
        RegDeleteValueA(run, "VantorFenwix");
        RegCloseKey(run);
    }
    RemoveTree(kProgramFiles + "\\Korrel");
    RemoveTree(kCommonPrograms + "\\Korrel");
    DeleteFileA((kCommonDesktop + "\\VantorSaelin.lnk").c_str());
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    logPath_ = std::string(temp) + "vs-install-runner.log";
    DeleteFileA(logPath_.c_str());
}

void InstallE2E::TearDown() {
    DeleteFileA(logPath_.c_str());
    CoUninitialize();
}

std::optional<LaunchedProcess> InstallE2E::StartInstall(const std::string& dir,
                                                        const std::string& options,
                                                        const std::string& damage,
                                                        const std::string& more) {
    std::string arguments =
        "--dir \"" + dir + "\" --options " + options + " --log \"" + logPath_ + "\"";
    if (!damage.empty()) arguments += " --damage " + damage;
    if (!more.empty()) arguments += " " + more;
    return LaunchedProcess::Start(RunnerPath(), arguments);
}

void InstallE2E::Install(const std::string& dir, const std::string& options) {
    auto runner = StartInstall(dir, options);
    ASSERT_TRUE(runner);
    const std::optional<DWORD> exitCode = runner->WaitForExit(kRunMs);
    if (!exitCode) {
        if (auto box = WaitForBox(*runner, 0)) {
            ADD_FAILURE() << "unexpected box: " << box->text;
            ClickButton(box->handle, IDOK);
            ClickButton(box->handle, IDNO);
        }
    }
    ASSERT_EQ(exitCode, 0u) << "the install did not end";
    ASSERT_NE(RunnerLog().find("CloseWizard"), std::string::npos);
}

std::optional<ShownBox> InstallE2E::WaitForBox(const LaunchedProcess& process, int timeoutMs,
                                               const std::optional<std::string>& title) {
    WindowQuery query;
    query.className = "#32770";
    query.processId = process.Id();
    query.title = title;
    auto box = WaitForWindow(query, timeoutMs);
    if (!box) return std::nullopt;
    // A box may be seen while it is still being filled in; a finished one has a title and text.
    ShownBox shown{box->handle, box->title, MessageBoxText(box->handle)};
    for (int waited = 0; (shown.title.empty() || shown.text.empty()) && waited < kBoxMs;
         waited += 50) {
        Sleep(50);
        shown.title = WindowText(box->handle);
        shown.text = MessageBoxText(box->handle);
    }
    return shown;
}

void InstallE2E::Answer(const ShownBox& box, int buttonId) {
    ASSERT_TRUE(ClickButton(box.handle, buttonId)) << "no button " << buttonId;
    for (int waited = 0; IsWindow(box.handle) && waited < kBoxMs; waited += 50)
        Sleep(50);
}

void InstallE2E::ExpectEnds(LaunchedProcess& process) {
    EXPECT_EQ(process.WaitForExit(kRunMs), 0u) << "the program did not end";
}

std::string InstallE2E::RunnerLog() const {
    return ReadFileBytes(logPath_).value_or("");
}

std::vector<std::string> InstallE2E::MachineState() const {
    std::vector<std::string> state = RegistrySnapshot(HKEY_CURRENT_USER, kSettingsKey);
    for (const std::string& value : RegistrySnapshot(HKEY_CURRENT_USER, kRunKey))
        state.push_back("run: " + value);
    for (const std::string& value : RegistrySnapshot(HKEY_LOCAL_MACHINE, kUninstallKey))
        state.push_back("entry: " + value);
    for (const std::string& link :
         {std::string(kCommonDesktop) + "\\VantorSaelin.lnk",
          StartMenu("\\VantorFenWix\\VantorSaelin.lnk"), StartMenu("\\VantorFenWix\\卸载.lnk")})
        state.push_back(link + (FileExists(link) ? " there" : " missing"));
    for (const auto& [name, bytes] : TreeSnapshot(kSmallDrive))
        state.push_back(name + " (" + std::to_string(bytes.size()) + " bytes)");
    return state;
}

void InstallE2E::ExpectInstalledAsChosen(const std::string& dir, const std::string& boxes) const {
    const bool autoStart = boxes[0] == '1', desktop = boxes[1] == '1', startMenu = boxes[2] == '1';
    EXPECT_EQ(RegistryText(HKEY_CURRENT_USER, kSettingsKey, "InstallPath"), dir);
    EXPECT_EQ(RegistryText(HKEY_CURRENT_USER, kSettingsKey, "CreatDesktopShortcut"),
              desktop ? "1" : "0");
    EXPECT_EQ(RegistryText(HKEY_CURRENT_USER, kSettingsKey, "AutoStartup"), autoStart ? "1" : "0");
    if (autoStart) {
        EXPECT_EQ(RegistryText(HKEY_CURRENT_USER, kRunKey, "VantorFenwix"),
                  "\"" + dir + "\\VantorFenwix.exe\"");
    }
    EXPECT_TRUE(FileExists(dir + "\\VantorFenwix.exe"));
    EXPECT_TRUE(FileExists(dir + "\\uninstall.exe"));
    EXPECT_EQ(FileExists(kCommonDesktop + "\\VantorSaelin.lnk"), desktop);
    auto link = ReadShortcut(StartMenu("\\VantorFenWix\\VantorSaelin.lnk"));
    EXPECT_EQ(link.has_value(), startMenu);
    if (link) {
        EXPECT_EQ(link->target, dir + "\\VantorFenwix.exe");
    }
    EXPECT_EQ(RegistryText(HKEY_LOCAL_MACHINE, kUninstallKey, "UninstallString"),
              dir + "\\uninstall.exe");
    EXPECT_TRUE(WaitForFile(dir + "\\updatelist.xml", 15000)) << "the updater did not run";
}

std::string InstallE2E::StartMenu(const std::string& relative) const {
    return kCommonPrograms + "\\Korrel" + relative;
}

}  // namespace e2e

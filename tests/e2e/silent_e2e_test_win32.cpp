// The silent install and uninstall end to end under Wine: the real program started with /S as a
// deployment tool would start it, watched for windows while it runs, its exit code and log read
// afterwards.
#include "tests/e2e/install_e2e_fixture.h"

namespace e2e {
namespace {

const char kSpacedDir[] = "C:\\Some Dir\\产品";
const char kUnreachableDir[] = "Q:\\VantorFenWix";  // a drive the prefix does not have

struct SilentRun {
    std::optional<DWORD> exitCode;
    std::vector<std::string> windowsSeen;  // visible windows of the process, by title
};

// Starts the program and, until it ends, looks for any visible window of it every 10 ms.
SilentRun RunWatched(const std::string& program, const std::string& arguments,
                     const std::string& workingDirectory = {}) {
    SilentRun run;
    auto process = LaunchedProcess::Start(program, arguments, workingDirectory);
    if (!process) return run;
    WindowQuery ofProcess;
    ofProcess.processId = process->Id();
    for (int waited = 0; waited < kRunMs && !run.exitCode; waited += 10) {
        for (const WindowInfo& window : ListTopLevelWindows(ofProcess))
            run.windowsSeen.push_back(window.className + " \"" + window.title + "\"");
        run.exitCode = process->WaitForExit(10);
    }
    return run;
}

// The log is UTF-8; the program's texts are in the ANSI code page.
std::string Utf8Of(const std::string& ansi) {
    std::wstring wide(ansi.size(), L'\0');
    wide.resize(MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()),
                                    wide.data(), static_cast<int>(wide.size())));
    std::string utf8(wide.size() * 3, '\0');
    utf8.resize(WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()),
                                    utf8.data(), static_cast<int>(utf8.size()), nullptr, nullptr));
    return utf8;
}

class SilentE2E : public InstallE2E {
  protected:
    void SetUp() override {
        InstallE2E::SetUp();
        RemoveTree("C:\\Some Dir");
        char temp[MAX_PATH] = {};
        GetTempPathA(MAX_PATH, temp);
        logPath_ = std::string(temp) + "vs-silent.log";
        DeleteFileA(logPath_.c_str());
    }
    void TearDown() override {
        RemoveTree("C:\\Some Dir");
        DeleteFileA(logPath_.c_str());
        InstallE2E::TearDown();
    }
    std::string LogSwitch() const { return "\"/LOG=" + logPath_ + "\""; }
    std::string Log() const { return ReadFileBytes(logPath_).value_or(""); }

    std::string logPath_;
};

TEST_F(SilentE2E, InstallsEverythingWithTheSavedChoicesWithoutAnyWindow) {
    SetRegistryText(HKEY_CURRENT_USER, kSettingsKey, "CreatDesktopShortcut", "0");
    const std::string dir = kSpacedDir;

    const SilentRun run = RunWatched(SetupProgramPath(), "/S " + LogSwitch() + " /D=" + dir);

    EXPECT_EQ(run.exitCode, 0u);
    EXPECT_TRUE(run.windowsSeen.empty()) << "a window appeared: " << run.windowsSeen.front();
    const std::string log = Log();
    EXPECT_EQ(log.rfind("\xEF\xBB\xBF", 0), 0u) << "UTF-8 with a byte-order mark";
    for (const std::string& name : FileNamesIn(ProductStagePath())) {
        const std::string path = dir + "\\" + name;
        EXPECT_TRUE(ReadFileBytes(path) == ReadFileBytes(ProductStagePath() + "\\" + name))
            << name << " is missing or differs";
        const std::string size = std::to_string(ReadFileBytes(path).value_or("").size());
        EXPECT_NE(log.find(Utf8Of("file written: " + path + " (" + size + " bytes)\r\n")),
                  std::string::npos)
            << name << " is not in the log";
    }
    ASSERT_FALSE(ShippedProgramPart().empty()) << "no payload is appended to the program";
    EXPECT_TRUE(ReadFileBytes(dir + "\\uninstall.exe") == ShippedProgramPart())
        << "uninstall.exe is not the program without its payload";
    EXPECT_NE(log.find("exit code 0 (success)"), std::string::npos);

    // The saved "0" and the defaults "1", "1", "0" for what was not saved.
    EXPECT_EQ(RegistryText(HKEY_CURRENT_USER, kSettingsKey, "InstallPath"), dir);
    EXPECT_EQ(RegistryText(HKEY_CURRENT_USER, kSettingsKey, "CreatDesktopShortcut"), "0");
    EXPECT_EQ(RegistryText(HKEY_CURRENT_USER, kSettingsKey, "RemoveOldConfigFiles"), "0");
    EXPECT_EQ(RegistryText(HKEY_CURRENT_USER, kRunKey, "VantorFenwix"),
              "\"" + dir + "\\VantorFenwix.exe\"");
    EXPECT_EQ(RegistryText(HKEY_LOCAL_MACHINE, kUninstallKey, "UninstallString"),
              dir + "\\uninstall.exe");
    EXPECT_FALSE(FileExists(kCommonDesktop + "\\VantorSaelin.lnk"));
    const auto startMenu = ReadShortcut(StartMenu("\\VantorFenWix\\VantorSaelin.lnk"));
    ASSERT_TRUE(startMenu);
    EXPECT_EQ(startMenu->target, dir + "\\VantorFenwix.exe");
    EXPECT_TRUE(ReadShortcut(StartMenu("\\VantorFenWix\\卸载.lnk")));
    EXPECT_TRUE(WaitForFile(dir + "\\updatelist.xml", 15000)) << "the updater did not run";
}

TEST_F(SilentE2E, EachFailureHasItsExitCodeAndInstallsNothing) {
    const std::string damaged = DamagedProgramCopy();
    ASSERT_FALSE(damaged.empty()) << "the payload was not found in the program";
    struct Case {
        std::string program;
        std::string arguments;
        DWORD exitCode;
        const char* logSays;
    };
    const Case cases[] = {
        {damaged, "/S /D=" + std::string(kSpacedDir), 3, "FAILED payload decoded"},
        {SetupProgramPath(), "/S /QUIET /D=" + std::string(kSpacedDir), 2,
         "FAILED switch: /QUIET: unknown switch"},
        {SetupProgramPath(), "/S /D=Some Dir", 2, "FAILED switch: /D=Some Dir"},
        {SetupProgramPath(), "/S /D=" + std::string(kUnreachableDir), 4,
         "FAILED install directory: Q:\\VantorFenWix"},
        {SetupProgramPath(), "/S /D=D:\\", 4,
         "FAILED install directory: D:\\: a drive root is refused"},
        {SetupProgramPath(), "/S /D=C:\\", 4,
         "FAILED install directory: C:\\: a drive root is refused"},
    };
    for (const Case& c : cases) {
        const SilentRun run = RunWatched(c.program, LogSwitch() + " " + c.arguments);
        EXPECT_EQ(run.exitCode, c.exitCode) << c.arguments;
        EXPECT_TRUE(run.windowsSeen.empty()) << c.arguments;
        EXPECT_NE(Log().find(c.logSays), std::string::npos) << c.arguments << "\n" << Log();
        EXPECT_FALSE(FolderExists(kSpacedDir)) << c.arguments;
        EXPECT_FALSE(FileExists("C:\\uninstall.exe")) << c.arguments;
        EXPECT_FALSE(RegistryKeyExists(HKEY_CURRENT_USER, kSettingsKey)) << c.arguments;
        EXPECT_FALSE(RegistryKeyExists(HKEY_LOCAL_MACHINE, kUninstallKey)) << c.arguments;
    }
    DeleteFileA(damaged.c_str());
}

TEST_F(SilentE2E, UninstallExeSlashSRemovesWhatTheListNamesWithoutABox) {
    ASSERT_EQ(RunWatched(SetupProgramPath(), "/S").exitCode, 0u);
    // The updater writes its list, then its download folder.
    ASSERT_TRUE(WaitForFolder(ProductFile("download"), 15000)) << "the updater did not run";
    const std::vector<std::string> listed = FileNamesIn(ProductStagePath());
    auto product = LaunchedProcess::Start(ProductFile("VantorFenwix.exe"), "", kDefaultDir);
    ASSERT_TRUE(product);

    const SilentRun run =
        RunWatched(ProductFile("uninstall.exe"), "/S " + LogSwitch(), kDefaultDir);

    EXPECT_EQ(run.exitCode, 0u);
    EXPECT_TRUE(run.windowsSeen.empty()) << "a window appeared: " << run.windowsSeen.front();
    EXPECT_TRUE(product->WaitForExit(5000)) << "the product still runs";
    for (const std::string& name : listed)
        EXPECT_FALSE(FileExists(ProductFile(name))) << name << " was left";
    EXPECT_FALSE(FileExists(ProductFile("updatelist.xml")));
    EXPECT_TRUE(FileExists(ProductFile("uninstall.exe")));
    EXPECT_FALSE(RegistryKeyExists(HKEY_LOCAL_MACHINE, kUninstallKey));
    EXPECT_FALSE(RegistryText(HKEY_CURRENT_USER, kRunKey, "VantorFenwix"));
    EXPECT_FALSE(FolderExists(StartMenu("")));
    EXPECT_FALSE(FileExists(kCommonDesktop + "\\VantorSaelin.lnk"));
    EXPECT_NE(Log().find("process stopped: VantorFenwix.exe"), std::string::npos);
    EXPECT_NE(Log().find("not shown (silent run)"), std::string::npos) << "the report is logged";
}

}  // namespace
}  // namespace e2e

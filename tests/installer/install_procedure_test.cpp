// The install procedure on a scratch machine: what it records, creates, removes and unpacks
// for each choice, the empty-directory question and a payload that does not decode.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>

#include "installer/install.h"
#include "installer/install_layout.h"
#include "tests/installer/recording_front_end.h"
#include "tests/installer/setup_test_machine.h"

namespace insttest {
namespace {

const std::string kDescription = "一样的世界，不一样的精彩。";

class InstallProcedure : public SetupTestMachine {
  protected:
    inst::InstallOptions Options(bool on) const {
        inst::InstallOptions options;
        options.InstallPath = Path("Program Files (x86)\\Korrel\\VantorFenWix");
        options.AutoStartup = on;
        options.CreatDesktopShortcut = on;
        options.CreatStartMenuShortcut = on;
        options.RemoveOldConfigFiles = on;
        return options;
    }
    void Install(const inst::InstallOptions& options, const rt::ByteSet& payload) {
        inst::RunInstall(options, frontEnd, platform, Shipped(payload));
    }
    void Install(const inst::InstallOptions& options) { Install(options, ProductPayload()); }

    std::string StartMenu(const std::string& relative) const {
        return "ProgramData\\Start Menu\\Programs\\Korrel" + relative;
    }
    std::vector<std::string> Writes() const {
        std::vector<std::string> writes;
        for (const std::string& line : platform.registryLog) {
            if (line.rfind("write", 0) == 0) writes.push_back(line);
        }
        return writes;
    }

    RecordingFrontEnd frontEnd;
};

TEST_F(InstallProcedure, EveryOptionOnRecordsTheChoicesAndRegistersTheProductInOrder) {
    const inst::InstallOptions options = Options(true);
    const std::string dir = options.InstallPath;
    Install(options);

    const std::vector<std::string> expected = {
        "write 3 " + kSettings + "AutoStartup=1",
        "write 3 " + kSettings + "CreatDesktopShortcut=1",
        "write 3 " + kSettings + "CreatStartMenuShortcut=1",
        "write 3 " + kSettings + "RemoveOldConfigFiles=1",
        "write 3 " + kSettings + "InstallPath=" + dir,
        "write 3 " + kRun + "=\"" + dir + "\\VantorFenwix.exe\"",
        "write 4 " + kEntry + "\\Comments=一款界面简洁，功能强大的Vantor辅助工具。",
        "write 4 " + kEntry + "\\DisplayIcon=" + dir + "\\VantorFenwix.exe",
        "write 4 " + kEntry + "\\DisplayName=VantorSaelin",
        "write 4 " + kEntry + "\\HelpLink=" + inst::kProductAddress,
        "write 4 " + kEntry + "\\InstallLocation=" + dir + "\\",
        "write 4 " + kEntry + "\\Publisher=Zemlo",
        "write 4 " + kEntry + "\\UninstallPath=" + dir + "\\uninstall.exe",
        "write 4 " + kEntry + "\\UninstallString=" + dir + "\\uninstall.exe",
        "write 4 " + kEntry + "\\URLInfoAbout=" + inst::kProductAddress,
    };
    EXPECT_EQ(Writes(), expected);
    EXPECT_TRUE(frontEnd.shown.empty());
    EXPECT_EQ(frontEnd.closeCount, 1);
}

// Decoding and writing reach the front end as one count that only rises, from 0 to twice the
// image size.
TEST_F(InstallProcedure, TheFrontEndSeesUnpackingAsOneRisingCount) {
    Install(Options(true));
    ASSERT_GE(frontEnd.progress.size(), 3u);
    const std::uint64_t total = 2 * inst::DeclaredImageSize(ProductPayload());
    EXPECT_EQ(frontEnd.progress.front(), std::make_pair(std::uint64_t{0}, total));
    EXPECT_EQ(frontEnd.progress.back(), std::make_pair(total, total));
    for (std::size_t i = 1; i < frontEnd.progress.size(); ++i) {
        EXPECT_GE(frontEnd.progress[i].first, frontEnd.progress[i - 1].first) << i;
        EXPECT_EQ(frontEnd.progress[i].second, total);
    }
}

TEST_F(InstallProcedure, ShortcutsPointAtTheProgramAndTheUninstallerWithDescriptionAndFolder) {
    const inst::InstallOptions options = Options(true);
    const std::string dir = options.InstallPath;
    Install(options);

    ASSERT_EQ(platform.shortcuts.size(), 3u);
    const std::string program = dir + "\\VantorFenwix.exe";
    const std::string uninstaller = dir + "\\uninstall.exe";
    EXPECT_EQ(platform.shortcuts[0].link, CommonDesktop() + "\\VantorSaelin.lnk");
    EXPECT_EQ(platform.shortcuts[0].target, program);
    EXPECT_EQ(platform.shortcuts[1].link, Path(StartMenu("\\VantorFenWix\\VantorSaelin.lnk")));
    EXPECT_EQ(platform.shortcuts[1].target, program);
    EXPECT_EQ(platform.shortcuts[2].link, Path(StartMenu("\\VantorFenWix\\卸载.lnk")));
    EXPECT_EQ(platform.shortcuts[2].target, uninstaller);
    for (const ShortcutRecord& shortcut : platform.shortcuts) {
        EXPECT_EQ(shortcut.description, kDescription);
        EXPECT_EQ(shortcut.workingDirectory, dir);
    }
    EXPECT_TRUE(Exists("users\\Public\\Desktop\\VantorSaelin.lnk"));
    EXPECT_TRUE(Exists(StartMenu("\\VantorFenWix\\卸载.lnk")));
}

TEST_F(InstallProcedure, UnpacksEveryFileCopiesItselfAsUninstallerAndStartsTheUpdaterQuoted) {
    const inst::InstallOptions options = Options(true);
    Install(options);

    const std::string dir = "Program Files (x86)\\Korrel\\VantorFenWix\\";
    for (const auto& [name, content] : ProductFiles()) {
        EXPECT_EQ(ReadText(dir + name), content) << name;
    }
    EXPECT_EQ(ReadText(dir + "uninstall.exe"), "MZ the running setup program");
    ASSERT_EQ(platform.startedPrograms.size(), 1u);
    EXPECT_EQ(platform.startedPrograms[0], "\"" + options.InstallPath + "\\AutoUpdate.exe\"");
}

// The product's files take 5,055 bytes. A payload appended to the program's file stays out of
// the uninstaller, and the room asked for counts the uninstaller as it is written.
TEST_F(InstallProcedure, TheUninstallerLeavesAnAppendedPayloadOutAndTheRoomCountsItsSize) {
    struct Case {
        std::optional<std::uint64_t> programLength;
        std::string uninstaller;
    };
    for (const Case& c : {Case{std::nullopt, "MZ the running setup program"}, Case{6, "MZ the"}}) {
        const std::string dir = "Korrel " + std::to_string(c.uninstaller.size());
        inst::InstallOptions options = Options(false);
        options.InstallPath = Path(dir);
        inst::ShippedPayload payload = Shipped(ProductPayload());
        payload.programLength = c.programLength;
        for (const std::uint64_t more : {0, 1}) {
            platform.freeSpace = 5055 + c.uninstaller.size() - 1 + more;
            RecordingFrontEnd clicked;
            EXPECT_EQ(inst::RunInstall(options, clicked, platform, payload) ==
                          inst::InstallOutcome::kInstalled,
                      more == 1)
                << c.uninstaller << ", " << platform.freeSpace << " bytes free";
        }
        EXPECT_EQ(ReadText(dir + "\\uninstall.exe"), c.uninstaller);
    }
}

TEST_F(InstallProcedure, ASecondInstallWithOptionsOffRemovesRunValueShortcutsAndFolders) {
    Install(Options(true));
    ASSERT_TRUE(platform.HasValue(kUser, kRun));
    ASSERT_TRUE(Exists(StartMenu("\\VantorFenWix\\VantorSaelin.lnk")));
    WriteText("Program Files (x86)\\Korrel\\VantorFenWix\\settings.ini", "kept");
    platform.registryLog.clear();

    RecordingFrontEnd second;
    inst::RunInstall(Options(false), second, platform, Shipped(ProductPayload()));

    EXPECT_FALSE(platform.HasValue(kUser, kRun));
    EXPECT_FALSE(Exists("users\\Public\\Desktop\\VantorSaelin.lnk"));
    EXPECT_FALSE(Exists(StartMenu("\\VantorFenWix")));
    EXPECT_FALSE(Exists(StartMenu("")));
    EXPECT_EQ(platform.Value(kUser, kSettings + "AutoStartup"), "0");
    EXPECT_EQ(platform.Value(kUser, kSettings + "CreatDesktopShortcut"), "0");
    EXPECT_EQ(platform.Value(kUser, kSettings + "CreatStartMenuShortcut"), "0");
    EXPECT_EQ(platform.Value(kUser, kSettings + "RemoveOldConfigFiles"), "0");
    EXPECT_TRUE(Exists("Program Files (x86)\\Korrel\\VantorFenWix\\settings.ini"))
        << "without the option the old files stay";
    EXPECT_EQ(second.closeCount, 1);
}

TEST_F(InstallProcedure, TheMakersFolderStaysWhileItHoldsAnotherProduct) {
    Install(Options(true));
    MakeFolders(StartMenu("\\OtherTool"));
    WriteText(StartMenu("\\OtherTool\\OtherTool.lnk"), "other");

    Install(Options(false));

    EXPECT_FALSE(Exists(StartMenu("\\VantorFenWix")));
    EXPECT_EQ(ReadText(StartMenu("\\OtherTool\\OtherTool.lnk")), "other");
}

TEST_F(InstallProcedure, RemovingOldFilesLeavesOnlyTheProductAndTheUninstaller) {
    const std::string dir = "Program Files (x86)\\Korrel\\VantorFenWix";
    MakeFolders(dir + "\\cache");
    WriteText(dir + "\\stray.cfg", "old");
    WriteText(dir + "\\cache\\old.bin", "old");

    Install(Options(true));

    EXPECT_FALSE(Exists(dir + "\\stray.cfg"));
    EXPECT_FALSE(Exists(dir + "\\cache"));
    EXPECT_TRUE(Exists(dir + "\\VantorFenwix.exe"));
    EXPECT_TRUE(Exists(dir + "\\uninstall.exe"));
}

// Links are judged by where they lead, and the wipe never goes through one.
TEST_F(InstallProcedure, RemovingOldFilesRefusesSystemFoldersAndTheInstallGoesOn) {
    struct Case {
        std::string folder;
        std::string stray;
    };
    const Case cases[] = {
        {"Program Files (x86)", "Program Files (x86)\\OtherVendor\\tool.exe"},
        {"windows\\system32", "windows\\system32\\kernel32.dll"},
        {"users\\me", "users\\me\\notes.txt"},
        {"users\\Public\\Desktop", "users\\Public\\Desktop\\other.lnk"},
        {"ProgramData", "ProgramData\\other.dat"},
        {"Program Files (x86)\\ToOutside", "outside\\kept\\canary.txt"},  // is a link
        {"Games\\Temp", "windows\\Temp\\canary.txt"},  // below a link into the Windows folder
        {"D\\Docs", "D\\Docs\\canary.txt"},            // where Documents really is
    };
    for (const char* folder :
         {"Program Files (x86)\\OtherVendor", "outside\\kept", "windows\\Temp", "D\\Docs"})
        MakeFolders(folder);
    MakeLink("Program Files (x86)\\ToOutside", "outside\\kept");
    MakeLink("Games", "windows");
    MakeLink("users\\me\\Documents", "D\\Docs");
    for (const Case& c : cases) {
        WriteText(c.stray, "precious");
        inst::InstallOptions options = Options(true);
        options.InstallPath = Path(c.folder);
        RecordingFrontEnd frontEndForCase;
        inst::RunInstall(options, frontEndForCase, platform, Shipped(ProductPayload()));
        EXPECT_EQ(ReadText(c.stray), "precious") << c.folder;
        EXPECT_TRUE(Exists(c.folder + "\\VantorFenwix.exe")) << c.folder;
        EXPECT_EQ(frontEndForCase.closeCount, 1) << c.folder;
    }
    EXPECT_FALSE(Exists("outside\\kept\\VantorFenwix.exe")) << "the link went, not its folder";
}

TEST_F(InstallProcedure, ADirectoryClimbingBackIntoProgramFilesIsRefusedToo) {
    WriteText("Program Files (x86)\\OtherVendor.txt", "precious");
    inst::InstallOptions options = Options(true);
    options.InstallPath = Path("Program Files (x86)\\Korrel\\..");
    Install(options);
    EXPECT_EQ(ReadText("Program Files (x86)\\OtherVendor.txt"), "precious");
}

TEST_F(InstallProcedure, EmptyDirectoryYesPutsBackTheStoredDirectoryAndWritesNothing) {
    platform.SetValue(kUser, kSettings + "InstallPath", "D:\\Games\\Vantor");
    frontEnd.answer = rt::kResultYes;
    inst::InstallOptions options = Options(true);
    options.InstallPath.clear();
    Install(options);

    ASSERT_EQ(frontEnd.shown.size(), 1u);
    EXPECT_EQ(frontEnd.shown[0].text, "安装目录不能为空。\r\n是否初始化为默认值？");
    EXPECT_EQ(frontEnd.shown[0].title, "VantorSaelin 安装向导");
    EXPECT_EQ(frontEnd.shown[0].buttons, 4);
    EXPECT_EQ(frontEnd.shown[0].icon, 32);
    EXPECT_FALSE(frontEnd.shown[0].centred);
    EXPECT_EQ(frontEnd.installPaths, std::vector<std::string>{"D:\\Games\\Vantor"});
    EXPECT_TRUE(Writes().empty());
    EXPECT_TRUE(platform.shortcuts.empty());
    EXPECT_TRUE(platform.startedPrograms.empty());
    EXPECT_EQ(frontEnd.closeCount, 0);
}

// The 32-bit program belongs in Program Files (x86), the 64-bit build in Program Files; each
// takes the other folder where the system lacks its own.
TEST_F(InstallProcedure, EmptyDirectoryYesWithNothingStoredPutsBackTheDefault) {
    const bool wide = sizeof(void*) == 8;
    const std::string own = wide ? "Program Files" : "Program Files (x86)";
    const std::string other = wide ? "Program Files (x86)" : "Program Files";
    frontEnd.answer = rt::kResultYes;
    inst::InstallOptions options;
    Install(options);
    EXPECT_EQ(frontEnd.installPaths,
              std::vector<std::string>{Path(own + "\\Korrel\\VantorFenWix")});

    platform.specialFolders.erase(wide ? 0x26 : 0x2a);
    Install(options);
    ASSERT_EQ(frontEnd.installPaths.size(), 2u);
    EXPECT_EQ(frontEnd.installPaths[1], Path(other + "\\Korrel\\VantorFenWix"))
        << "without its own folder, the other one";
}

TEST_F(InstallProcedure, EmptyDirectoryNoChangesNothingButSpacesAreADirectory) {
    frontEnd.answer = rt::kResultNo;
    inst::InstallOptions options;
    Install(options);
    EXPECT_EQ(frontEnd.shown.size(), 1u);
    EXPECT_TRUE(frontEnd.installPaths.empty());
    EXPECT_TRUE(platform.registryLog.empty());

    options.InstallPath = " ";
    Install(options);
    EXPECT_EQ(std::count_if(frontEnd.shown.begin(), frontEnd.shown.end(),
                            [](const ShownMessage& shown) {
                                return shown.text == "安装目录不能为空。\r\n是否初始化为默认值？";
                            }),
              1)
        << "a space is not an empty directory";
    EXPECT_EQ(platform.Value(kUser, kSettings + "InstallPath"), " ");
}

// Whatever is wrong with the payload, the user learns that unpacking failed and nothing is
// changed; the wizard stays open for another try.
TEST_F(InstallProcedure, APayloadThatDoesNotDecodeIsReportedAndNothingIsUnpacked) {
    const inst::InstallOptions options = Options(true);
    for (const BrokenPayload& broken : BrokenPayloads()) {
        for (int click = 1; click <= 2; ++click) {
            RecordingFrontEnd clicked;
            platform.registryLog.clear();
            const auto started = std::chrono::steady_clock::now();
            inst::RunInstall(options, clicked, platform, {broken.container, broken.imageChecksum});
            EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(20))
                << broken.what;
            ASSERT_EQ(clicked.shown.size(), 1u) << broken.what;
            const ShownMessage& message = clicked.shown.back();
            EXPECT_EQ(message.text, "解压失败！") << broken.what;
            EXPECT_EQ(message.title, "VantorSaelin 安装向导");
            EXPECT_EQ(message.buttons, 0);
            EXPECT_EQ(message.icon, 64);
            EXPECT_TRUE(message.centred);
            EXPECT_TRUE(Writes().empty()) << "the payload is decoded before any change";
            EXPECT_EQ(clicked.closeCount, 0) << broken.what;
        }
        EXPECT_FALSE(Exists("Program Files (x86)\\Korrel\\VantorFenWix\\VantorFenwix.exe"))
            << broken.what;
        EXPECT_FALSE(Exists("Program Files (x86)\\Korrel\\VantorFenWix\\uninstall.exe"));
        EXPECT_TRUE(platform.startedPrograms.empty()) << broken.what;
    }
}

// The test product takes 5,083 bytes with its uninstaller; over an earlier installation of
// the same files the need is the largest of them (5,003 bytes), written beside its
// predecessor. Short of that the user is told and nothing is changed.
TEST_F(InstallProcedure, AVolumeWithoutRoomIsReportedBeforeAnythingChanges) {
    const std::string dir = "Program Files (x86)\\Korrel\\VantorFenWix";
    struct Case {
        bool earlier;
        std::uint64_t free;
        bool installs;
    };
    for (const Case& c : {Case{false, 5082, false}, Case{false, 5083, true},
                          Case{true, 5002, false}, Case{true, 5003, true}}) {
        const std::string what =
            (c.earlier ? "over an earlier one, " : "") + std::to_string(c.free);
        platform.freeSpace = std::uint64_t{1} << 40;
        if (c.earlier) Install(Options(true));
        const auto before = platform.registryLog.size();
        const auto shortcutsBefore = platform.shortcuts.size();
        const auto startedBefore = platform.startedPrograms.size();
        platform.freeSpace = c.free;
        RecordingFrontEnd clicked;
        const inst::InstallOutcome outcome =
            inst::RunInstall(Options(true), clicked, platform, Shipped(ProductPayload()));

        EXPECT_EQ(outcome == inst::InstallOutcome::kInstalled, c.installs) << what;
        EXPECT_EQ(clicked.closeCount, c.installs ? 1 : 0) << what;
        if (c.installs) continue;
        EXPECT_EQ(outcome, inst::InstallOutcome::kNoRoom) << what;
        ASSERT_EQ(clicked.shown.size(), 1u) << what;
        EXPECT_EQ(clicked.shown[0].text, "磁盘空间不足，无法安装。\r\n需要 0.1 MB，可用 0.0 MB。");
        EXPECT_EQ(clicked.shown[0].buttons, 0);
        EXPECT_EQ(clicked.shown[0].icon, 48);
        EXPECT_EQ(platform.registryLog.size(), before) << what << ": the registry changed";
        EXPECT_EQ(platform.shortcuts.size(), shortcutsBefore) << what;
        EXPECT_EQ(platform.startedPrograms.size(), startedBefore) << what;
        EXPECT_EQ(Exists(dir), c.earlier) << what;
    }
}

// A file that cannot be replaced keeps what it held and is named to the user with how many
// failed; the updater of a half-installed product is not started and the wizard stays open.
// Once the cause is gone, the next click completes the install.
TEST_F(InstallProcedure, FilesThatCannotBeWrittenAreReportedAndTheNextClickCompletes) {
    const std::string dir = "Program Files (x86)\\Korrel\\VantorFenWix\\";
    struct Case {
        std::vector<std::string> blocked;  // read-only files, or folders where files belong
        bool asFolders;
    };
    const Case cases[] = {{{"data\\level.dat"}, false},
                          {{"uninstall.exe"}, true},
                          {{"VantorSaelin.exe", "说明.txt"}, false}};
    for (const Case& c : cases) {
        const std::string& first = c.blocked.front();
        Install(Options(false));
        for (const std::string& name : c.blocked) {
            if (c.asFolders) {
                std::filesystem::remove(NativePath(dir + name));
                MakeFolders(dir + name);
            } else {
                WriteText(dir + name, "earlier");
                MakeReadOnly(dir + name);
            }
        }
        const auto started = platform.startedPrograms.size();
        RecordingFrontEnd clicked;
        EXPECT_EQ(inst::RunInstall(Options(false), clicked, platform, Shipped(ProductPayload())),
                  inst::InstallOutcome::kIncomplete)
            << first;
        ASSERT_EQ(clicked.shown.size(), 1u) << first;
        EXPECT_EQ(clicked.shown[0].text,
                  "安装未完成：" + std::to_string(c.blocked.size()) +
                      " 个文件无法写入。\r\n首个文件：" + Path(dir + first) +
                      "\r\n原因：Permission denied\r\n请排除问题后再次点击“立即安装”。");
        EXPECT_EQ(clicked.closeCount, 0) << first;
        EXPECT_EQ(platform.startedPrograms.size(), started) << "the updater was started";
        for (const std::string& name : c.blocked)
            EXPECT_EQ(c.asFolders || ReadText(dir + name) == "earlier", true) << name;
        EXPECT_EQ(ReadText(dir + "AutoUpdate.exe"), "MZ updater") << "the others are written";
        EXPECT_FALSE(Exists(dir + first + ".~vsnew")) << "a temporary file stayed";

        for (const std::string& name : c.blocked)
            std::filesystem::remove_all(NativePath(dir + name));
        RecordingFrontEnd again;
        EXPECT_EQ(inst::RunInstall(Options(false), again, platform, Shipped(ProductPayload())),
                  inst::InstallOutcome::kInstalled)
            << first;
        EXPECT_TRUE(again.shown.empty()) << first;
        EXPECT_TRUE(Exists(dir + first)) << first;
        EXPECT_EQ(platform.startedPrograms.size(), started + 1) << first;
    }
}

TEST_F(InstallProcedure, ADirectoryEndingWithABackslashGivesDoubledBackslashes) {
    inst::InstallOptions options = Options(false);
    options.InstallPath = Path("Program Files (x86)\\Korrel\\VantorFenWix\\");
    options.CreatDesktopShortcut = true;
    Install(options);

    const std::string dir = options.InstallPath;
    EXPECT_EQ(platform.Value(kMachine, kEntry + "\\InstallLocation"), dir + "\\");
    EXPECT_EQ(platform.Value(kMachine, kEntry + "\\UninstallString"), dir + "\\uninstall.exe");
    ASSERT_EQ(platform.shortcuts.size(), 1u);
    EXPECT_EQ(platform.shortcuts[0].target, dir + "\\VantorFenwix.exe");
    EXPECT_EQ(platform.shortcuts[0].workingDirectory, dir);
}

TEST_F(InstallProcedure, UnknownSpecialFoldersAreSkippedInsteadOfTheDriveRoot) {
    platform.specialFolders.erase(0x19);
    platform.specialFolders.erase(0x17);
    Install(Options(true));
    EXPECT_TRUE(platform.shortcuts.empty());
    EXPECT_TRUE(Exists("Program Files (x86)\\Korrel\\VantorFenWix\\VantorFenwix.exe"));
    EXPECT_EQ(frontEnd.closeCount, 1);
}

}  // namespace
}  // namespace insttest

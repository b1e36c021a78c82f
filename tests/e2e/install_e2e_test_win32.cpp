// The install end to end under Wine: the runner installs the real payload with the choices a
// person would make, the test answers its boxes and looks at the machine afterwards.
#include "tests/e2e/install_e2e_fixture.h"
#include "tests/runtime/folder_link.h"

namespace e2e {
namespace {

const char kDescription[] = "一样的世界，不一样的精彩。";

std::string Setting(const char* name) {
    return RegistryText(HKEY_CURRENT_USER, kSettingsKey, name).value_or("<absent>");
}

TEST_F(InstallE2E, EveryOptionOnRecordsTheChoicesAndRegistersTheProduct) {
    Install(kDefaultDir, "1111");
    const std::string dir = kDefaultDir;

    EXPECT_EQ(Setting("AutoStartup"), "1");
    EXPECT_EQ(Setting("CreatDesktopShortcut"), "1");
    EXPECT_EQ(Setting("CreatStartMenuShortcut"), "1");
    EXPECT_EQ(Setting("RemoveOldConfigFiles"), "1");
    EXPECT_EQ(Setting("InstallPath"), dir);
    EXPECT_EQ(RegistryText(HKEY_CURRENT_USER, kRunKey, "VantorFenwix"),
              "\"" + dir + "\\VantorFenwix.exe\"");

    const auto entry = [](const char* name) {
        return RegistryText(HKEY_LOCAL_MACHINE, kUninstallKey, name).value_or("<absent>");
    };
    EXPECT_EQ(entry("Comments"), "一款界面简洁，功能强大的Vantor辅助工具。");
    EXPECT_EQ(entry("DisplayIcon"), dir + "\\VantorFenwix.exe");
    EXPECT_EQ(entry("DisplayName"), "VantorSaelin");
    EXPECT_EQ(entry("InstallLocation"), dir + "\\");
    EXPECT_EQ(entry("Publisher"), "Zemlo");
    EXPECT_EQ(entry("UninstallPath"), dir + "\\uninstall.exe");
    EXPECT_EQ(entry("UninstallString"), dir + "\\uninstall.exe");
    EXPECT_FALSE(entry("HelpLink").empty());
    EXPECT_EQ(entry("URLInfoAbout"), entry("HelpLink"));
}

TEST_F(InstallE2E, EveryOptionOnCreatesShortcutsThatPointAtTheProduct) {
    Install(kDefaultDir, "1111");
    const std::string dir = kDefaultDir;
    struct Expected {
        std::string link;
        std::string target;
    };
    for (const Expected& expected :
         {Expected{kCommonDesktop + "\\VantorSaelin.lnk", dir + "\\VantorFenwix.exe"},
          Expected{StartMenu("\\VantorFenWix\\VantorSaelin.lnk"), dir + "\\VantorFenwix.exe"},
          Expected{StartMenu("\\VantorFenWix\\卸载.lnk"), dir + "\\uninstall.exe"}}) {
        const auto shortcut = ReadShortcut(expected.link);
        ASSERT_TRUE(shortcut) << expected.link;
        EXPECT_EQ(shortcut->target, expected.target);
        EXPECT_EQ(shortcut->description, kDescription);
        EXPECT_EQ(shortcut->workingDirectory, dir);
    }
}

TEST_F(InstallE2E, EveryPayloadFileArrivesIntactWithTheUninstallerAndTheUpdatersList) {
    Install(kDefaultDir, "1111");
    const std::vector<std::string> names = FileNamesIn(ProductStagePath());
    ASSERT_EQ(names.size(), 38u);
    for (const std::string& name : names) {
        const auto installed = ReadFileBytes(ProductFile(name));
        ASSERT_TRUE(installed) << name << " is missing";
        EXPECT_TRUE(*installed == ReadFileBytes(ProductStagePath() + "\\" + name).value())
            << name << " differs from the product's file";
    }
    EXPECT_EQ(ReadFileBytes(ProductFile("uninstall.exe")), ReadFileBytes(RunnerPath()))
        << "uninstall.exe is a copy of the running program";
    EXPECT_TRUE(WaitForFile(ProductFile("updatelist.xml"), 15000)) << "the updater did not run";
    EXPECT_TRUE(FolderExists(ProductFile("download")));
}

// Started unquoted, "C:\Program Files\..." would first run a C:\Program.exe. The
// updater copied there would leave its list in C:\.
TEST_F(InstallE2E, TheUpdaterIsStartedByItsWholePathEvenWithSpacesInIt) {
    ASSERT_TRUE(
        CopyFileA((ProductStagePath() + "\\AutoUpdate.exe").c_str(), "C:\\Program.exe", FALSE));
    Install(kDefaultDir, "0000");
    EXPECT_TRUE(WaitForFile(ProductFile("updatelist.xml"), 15000));
    Sleep(1000);
    EXPECT_FALSE(FileExists("C:\\updatelist.xml")) << "C:\\Program.exe was started";
    DeleteFileA("C:\\Program.exe");
    DeleteFileA("C:\\updatelist.xml");
    RemoveDirectoryA("C:\\download");
}

TEST_F(InstallE2E, ASecondInstallWithOptionsOffTakesBackWhatTheFirstCreated) {
    Install(kDefaultDir, "1110");
    ASSERT_TRUE(FileExists(StartMenu("\\VantorFenWix\\卸载.lnk")));
    WriteFileBytes(ProductFile("stray.cfg"), "left by an old version");

    Install(kDefaultDir, "0001");

    EXPECT_FALSE(RegistryText(HKEY_CURRENT_USER, kRunKey, "VantorFenwix"));
    EXPECT_FALSE(FileExists(kCommonDesktop + "\\VantorSaelin.lnk"));
    EXPECT_FALSE(FolderExists(StartMenu("\\VantorFenWix")));
    EXPECT_FALSE(FolderExists(StartMenu("")));
    EXPECT_EQ(Setting("AutoStartup"), "0");
    EXPECT_EQ(Setting("CreatDesktopShortcut"), "0");
    EXPECT_EQ(Setting("CreatStartMenuShortcut"), "0");
    EXPECT_EQ(Setting("RemoveOldConfigFiles"), "1");
    EXPECT_EQ(Setting("InstallPath"), kDefaultDir);
    EXPECT_FALSE(FileExists(ProductFile("stray.cfg"))) << "the old files were not removed";
    EXPECT_TRUE(FileExists(ProductFile("VantorFenwix.exe")));
    EXPECT_TRUE(FileExists(ProductFile("uninstall.exe")));
}

TEST_F(InstallE2E, TheMakersFolderKeepsAnotherProductsEntries) {
    Install(kDefaultDir, "0010");
    CreateDirectoryA(StartMenu("\\OtherTool").c_str(), nullptr);
    WriteFileBytes(StartMenu("\\OtherTool\\OtherTool.lnk"), "another product of the maker");

    Install(kDefaultDir, "0000");

    EXPECT_FALSE(FolderExists(StartMenu("\\VantorFenWix")));
    EXPECT_TRUE(FileExists(StartMenu("\\OtherTool\\OtherTool.lnk")));
}

TEST_F(InstallE2E, RemovingOldFilesNeverWipesProgramFilesItself) {
    const std::string programFiles = kProgramFiles;
    CreateDirectoryA((programFiles + "\\OtherVendor").c_str(), nullptr);
    WriteFileBytes(programFiles + "\\OtherVendor\\tool.exe", "another vendor's program");

    Install(programFiles + "\\Korrel\\..", "0001");

    EXPECT_EQ(ReadFileBytes(programFiles + "\\OtherVendor\\tool.exe"), "another vendor's program");
    EXPECT_TRUE(FileExists(programFiles + "\\VantorFenwix.exe")) << "the install goes on";
    WaitForFile(programFiles + "\\updatelist.xml", 15000);
    for (const std::string& name : FileNamesIn(ProductStagePath())) {
        DeleteFileA((programFiles + "\\" + name).c_str());
    }
    DeleteFileA((programFiles + "\\uninstall.exe").c_str());
    DeleteFileA((programFiles + "\\updatelist.xml").c_str());
    RemoveTree(programFiles + "\\download");
    RemoveTree(programFiles + "\\OtherVendor");
}

// With "删除旧的配置文件" the install directory is judged by where it really leads, and the
// wipe never goes through a link. Under Wine the links are the host's symbolic links, which
// Wine shows as folder links but cannot remove: there the install writes through the link.
TEST_F(InstallE2E, RemovingOldFilesNeverReachesThroughALink) {
    struct Case {
        std::string installDir;
        std::string link;
        std::string target;
        std::string canary;
    };
    const Case cases[] = {
        // The install directory is a link to a folder of someone else's files.
        {kDefaultDir, kDefaultDir, "C:\\vs-canaries", "C:\\vs-canaries\\keep.txt"},
        // It lies below a link that leads into the Windows folder.
        {"C:\\vs-link\\VantorFenWix", "C:\\vs-link", "C:\\windows\\vs-canaries",
         "C:\\windows\\vs-canaries\\VantorFenWix\\keep.txt"},
    };
    CreateDirectoryA((kProgramFiles + "\\Korrel").c_str(), nullptr);
    for (const Case& c : cases) {
        CreateDirectoryA(c.target.c_str(), nullptr);
        CreateDirectoryA(c.canary.substr(0, c.canary.rfind('\\')).c_str(), nullptr);
        WriteFileBytes(c.canary, "precious");
        ASSERT_TRUE(folder_link::MakeFolderLink(c.link, c.target)) << c.link;

        Install(c.installDir, "0001");

        EXPECT_EQ(ReadFileBytes(c.canary), "precious") << c.installDir;
        EXPECT_TRUE(FileExists(c.installDir + "\\VantorFenwix.exe")) << "the install goes on";
        WaitForFile(c.installDir + "\\updatelist.xml", 15000);
        RemoveTree(c.link);
        RemoveTree(c.target);
    }
}

TEST_F(InstallE2E, AnEmptyDirectoryAsksAndYesPutsBackTheDefault) {
    auto runner = StartInstall("", "1111");
    ASSERT_TRUE(runner);
    const auto box = WaitForBox(*runner);
    ASSERT_TRUE(box) << "no question appeared";
    EXPECT_EQ(box->title, "VantorSaelin 安装向导");
    EXPECT_EQ(box->text, "安装目录不能为空。\r\n是否初始化为默认值？");
    Answer(*box, IDYES);
    ExpectEnds(*runner);

    EXPECT_EQ(RunnerLog(), "SetInstallPath:" + kDefaultDir + "\r\n");
    EXPECT_FALSE(RegistryKeyExists(HKEY_CURRENT_USER, kSettingsKey)) << "nothing is written";
    EXPECT_FALSE(RegistryKeyExists(HKEY_LOCAL_MACHINE, kUninstallKey));
    EXPECT_FALSE(FolderExists(kDefaultDir));
}

TEST_F(InstallE2E, AnEmptyDirectoryYesPutsBackTheStoredOneAndNoChangesNothing) {
    SetRegistryText(HKEY_CURRENT_USER, kSettingsKey, "InstallPath", "D:\\Games\\Vantor");
    auto runner = StartInstall("", "1111");
    ASSERT_TRUE(runner);
    auto box = WaitForBox(*runner);
    ASSERT_TRUE(box);
    Answer(*box, IDYES);
    ExpectEnds(*runner);
    EXPECT_EQ(RunnerLog(), "SetInstallPath:D:\\Games\\Vantor\r\n");

    runner = StartInstall("", "1111");
    ASSERT_TRUE(runner);
    box = WaitForBox(*runner);
    ASSERT_TRUE(box);
    Answer(*box, IDNO);
    ExpectEnds(*runner);
    EXPECT_EQ(RunnerLog(), "SetInstallPath:D:\\Games\\Vantor\r\n") << "No puts nothing back";
    EXPECT_EQ(RegistrySnapshot(HKEY_CURRENT_USER, kSettingsKey),
              std::vector<std::string>{"InstallPath=D:\\Games\\Vantor"});
}

// The stream damaged (twice, as a second click), a few bytes declaring 1.5 GiB, an image that
// does not match the checksum recorded beside the payload, an image that is no archive: each
// is told, and nothing on the machine changes.
TEST_F(InstallE2E, ADamagedPayloadSaysUnpackingFailedAndExtractsNothing) {
    for (const char* damage : {"stream", "stream", "size", "checksum", "archive"}) {
        auto runner = StartInstall(kDefaultDir, "1111", damage);
        ASSERT_TRUE(runner);
        const auto box = WaitForBox(*runner);
        ASSERT_TRUE(box) << damage << ": no message appeared";
        EXPECT_EQ(box->title, "VantorSaelin 安装向导");
        EXPECT_EQ(box->text, "解压失败！") << damage;
        Answer(*box, IDOK);
        ExpectEnds(*runner);
    }
    EXPECT_TRUE(FileNamesIn(kDefaultDir).empty()) << "files were extracted";
    EXPECT_EQ(RunnerLog(), "") << "the wizard must stay open";
    EXPECT_FALSE(RegistryKeyExists(HKEY_CURRENT_USER, kSettingsKey))
        << "the payload is decoded before anything is changed";
    EXPECT_FALSE(RegistryKeyExists(HKEY_LOCAL_MACHINE, kUninstallKey));
}

}  // namespace
}  // namespace e2e

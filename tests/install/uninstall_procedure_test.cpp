// The uninstall procedure on a scratch machine: which files, registry entries, shortcuts and
// folders it removes, what it keeps, and the report it ends with.
#include <gtest/gtest.h>

#include <filesystem>

#include "installer/install.h"
#include "installer/uninstall_procedure.h"
#include "tests/install/recording_front_end.h"
#include "tests/install/setup_test_machine.h"

namespace insttest {
namespace {

const std::string kInstallPathValue = "Software\\VantorFenWix\\InstallPath";
const std::string kInstallDir = "Program Files (x86)\\Korrel\\VantorFenWix";
const std::string kReport = "VantorSaelin 卸载完毕！\r\n\r\n剩余文件您可以手动删除：\r\n\r\n";

std::string UpdateList(const std::vector<std::string>& names, const std::string& root = "root") {
    std::string xml =
        "<?xml version=\"1.0\" encoding=\"gbk\"?>\r\n<!-- written by the updater -->\r\n";
    xml += "<" + root + ">\r\n  <files>\r\n";
    for (const std::string& name : names)
        xml += "    <file name=\"" + name + "\"/>\r\n";
    return xml + "  </files>\r\n</" + root + ">\r\n";
}

class UninstallProcedure : public SetupTestMachine {
  protected:
    // An installed product, as the install leaves it and the updater completes it.
    void InstallProduct() {
        inst::InstallOptions options;
        options.InstallPath = Path(kInstallDir);
        options.AutoStartup = options.CreatDesktopShortcut = options.CreatStartMenuShortcut = true;
        RecordingFrontEnd frontEnd;
        inst::RunInstall(options, frontEnd, platform, Shipped(ProductPayload()));
        ASSERT_EQ(frontEnd.closeCount, 1);
        MakeFolders(kInstallDir + "\\download");
        WriteText(kInstallDir + "\\download\\patch.bin", "pending");
        MakeFolders(kInstallDir + "\\sub");
        WriteText(kInstallDir + "\\sub\\x.dll", "listed in a folder");
        WriteText(kInstallDir + "\\user.cfg", "not listed");
        platform.registryLog.clear();
    }
    std::vector<std::string> ListedProduct() const {
        std::vector<std::string> names;
        for (const auto& file : ProductFiles())
            names.push_back(file.first);
        names.push_back("sub\\x.dll");
        return names;
    }
    std::vector<std::string> Deletions() const {
        std::vector<std::string> deletions;
        for (const std::string& line : platform.registryLog) {
            if (line.rfind("delete", 0) == 0) deletions.push_back(line);
        }
        return deletions;
    }
};

TEST_F(UninstallProcedure, StopsTheProductAndDeletesTheListedFilesOnly) {
    InstallProduct();
    WriteText(kInstallDir + "\\updatelist.xml", UpdateList(ListedProduct()));
    MakeReadOnly(kInstallDir + "\\VantorFenwix.exe");

    inst::RunUninstall(platform);

    EXPECT_EQ(platform.stoppedProcesses,
              (std::vector<std::string>{"VantorSaelin.exe", "VantorFenwix.exe"}));
    for (const auto& [name, content] : ProductFiles())
        EXPECT_FALSE(Exists(kInstallDir + "\\" + name));
    EXPECT_FALSE(Exists(kInstallDir + "\\sub\\x.dll"));
    EXPECT_TRUE(Exists(kInstallDir + "\\sub")) << "folders stay";
    EXPECT_TRUE(Exists(kInstallDir + "\\data"));
    EXPECT_FALSE(Exists(kInstallDir + "\\download"));
    EXPECT_FALSE(Exists(kInstallDir + "\\updatelist.xml"));
    EXPECT_TRUE(Exists(kInstallDir + "\\uninstall.exe"));
    EXPECT_TRUE(Exists(kInstallDir + "\\user.cfg"));
    EXPECT_TRUE(Exists(kInstallDir));
}

TEST_F(UninstallProcedure, RemovesRegistryEntriesInOrderAndKeepsTheSettings) {
    InstallProduct();
    inst::RunUninstall(platform);

    std::vector<std::string> expected = {"delete 3 " + kRun};
    for (const char* value :
         {"Comments", "DisplayIcon", "DisplayName", "HelpLink", "InstallLocation", "Publisher",
          "UninstallPath", "UninstallString", "URLInfoAbout"}) {
        expected.push_back("delete 4 " + kEntry + "\\" + value);
    }
    expected.push_back("delete 4 " + kEntry);
    EXPECT_EQ(Deletions(), expected);
    EXPECT_FALSE(platform.HasValue(kUser, kRun));
    EXPECT_EQ(platform.keys.count({kMachine, kEntry}), 0u) << "the emptied key goes too";
    for (const char* value : {"AutoStartup", "CreatDesktopShortcut", "CreatStartMenuShortcut",
                              "RemoveOldConfigFiles", "InstallPath"}) {
        EXPECT_TRUE(platform.HasValue(kUser, std::string("Software\\VantorFenWix\\") + value));
    }
}

TEST_F(UninstallProcedure, RemovesShortcutsAndStartMenuFoldersButNotOtherProducts) {
    InstallProduct();
    const std::string korrel = "ProgramData\\Start Menu\\Programs\\Korrel";
    inst::RunUninstall(platform);
    EXPECT_FALSE(Exists("users\\Public\\Desktop\\VantorSaelin.lnk"));
    EXPECT_FALSE(Exists(korrel));

    InstallProduct();
    MakeFolders(korrel + "\\OtherTool");
    WriteText(korrel + "\\OtherTool\\OtherTool.lnk", "other");
    WriteText(korrel + "\\Korrel.url", "maker");
    inst::RunUninstall(platform);
    EXPECT_FALSE(Exists(korrel + "\\VantorFenWix"));
    EXPECT_TRUE(Exists(korrel + "\\OtherTool\\OtherTool.lnk"));
    EXPECT_TRUE(Exists(korrel + "\\Korrel.url"));
}

TEST_F(UninstallProcedure, ReportsTheFolderThatStillHoldsFiles) {
    InstallProduct();
    inst::RunUninstall(platform);
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].text, kReport + Path(kInstallDir) + "\\");
    EXPECT_EQ(platform.messages[0].title, "卸载完毕");
    EXPECT_EQ(platform.messages[0].style, 0x40);
}

TEST_F(UninstallProcedure, NamesThatLeaveTheInstallDirectoryAreNeverDeleted) {
    InstallProduct();
    WriteText("users\\me\\Documents\\thesis.doc", "precious");
    WriteText("Program Files (x86)\\Korrel\\shared.dll", "precious");
    MakeLink(kInstallDir + "\\linked", "users\\me\\Documents");
    WriteText(kInstallDir + "\\updatelist.xml",
              UpdateList({"..\\shared.dll", "../shared.dll", "sub\\..\\..\\shared.dll",
                          Path("users\\me\\Documents\\thesis.doc"), "C:shared.dll",
                          "linked\\thesis.doc", "VantorSaelin.exe"}));

    inst::RunUninstall(platform);

    EXPECT_EQ(ReadText("Program Files (x86)\\Korrel\\shared.dll"), "precious");
    EXPECT_EQ(ReadText("users\\me\\Documents\\thesis.doc"), "precious");
    EXPECT_FALSE(Exists(kInstallDir + "\\VantorSaelin.exe"))
        << "safe names in the same list still go";
}

TEST_F(UninstallProcedure, AListWithAnotherRootDeletesNoListedFileButTheRestProceeds) {
    InstallProduct();
    WriteText(kInstallDir + "\\updatelist.xml", UpdateList(ListedProduct(), "list"));
    inst::RunUninstall(platform);
    EXPECT_TRUE(Exists(kInstallDir + "\\VantorFenwix.exe"));
    EXPECT_TRUE(Exists(kInstallDir + "\\sub\\x.dll"));
    EXPECT_FALSE(Exists(kInstallDir + "\\download"));
    EXPECT_FALSE(Exists(kInstallDir + "\\updatelist.xml"));
    EXPECT_FALSE(platform.HasValue(kUser, kRun));
    EXPECT_FALSE(Exists("users\\Public\\Desktop\\VantorSaelin.lnk"));
}

TEST_F(UninstallProcedure, AMissingOrBrokenListLeavesTheWholeDirectory) {
    for (const char* list : {"", "<root><files><file name=\"VantorFenwix.exe\"/></root>"}) {
        InstallProduct();
        if (*list != '\0') WriteText(kInstallDir + "\\updatelist.xml", list);
        inst::RunUninstall(platform);
        EXPECT_TRUE(Exists(kInstallDir + "\\VantorFenwix.exe")) << list;
        EXPECT_TRUE(Exists(kInstallDir + "\\download\\patch.bin")) << list;
        EXPECT_EQ(Exists(kInstallDir + "\\updatelist.xml"), *list != '\0') << list;
        EXPECT_FALSE(platform.HasValue(kUser, kRun)) << "the rest proceeds";
        EXPECT_FALSE(Exists("users\\Public\\Desktop\\VantorSaelin.lnk"));
    }
}

// Not even a list in the current folder is read: its names would be taken relative to it.
TEST_F(UninstallProcedure, WithoutAStoredDirectoryOnlyEntriesAndShortcutsGo) {
    InstallProduct();
    WriteText(kInstallDir + "\\updatelist.xml", UpdateList(ListedProduct()));
    platform.values.erase({kUser, kInstallPathValue});
    const std::filesystem::path before = std::filesystem::current_path();
    std::filesystem::current_path(NativePath(kInstallDir));
    inst::RunUninstall(platform);
    std::filesystem::current_path(before);
    EXPECT_TRUE(Exists(kInstallDir + "\\VantorFenwix.exe"));
    EXPECT_TRUE(Exists(kInstallDir + "\\updatelist.xml"));
    EXPECT_FALSE(platform.HasValue(kMachine, kEntry + "\\DisplayName"));
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].text, kReport);
}

TEST_F(UninstallProcedure, AStoredDirectoryWithATrailingBackslashIsReportedDoubled) {
    InstallProduct();
    WriteText(kInstallDir + "\\updatelist.xml", UpdateList(ListedProduct()));
    platform.SetValue(kUser, kInstallPathValue, Path(kInstallDir) + "\\");
    inst::RunUninstall(platform);
    EXPECT_FALSE(Exists(kInstallDir + "\\VantorFenwix.exe"));
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].text, kReport + Path(kInstallDir) + "\\\\");
}

}  // namespace
}  // namespace insttest

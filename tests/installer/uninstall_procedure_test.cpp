// The uninstall procedure on a scratch machine: which files, registry entries, shortcuts and
// folders it removes, what it keeps, and the report it ends with.
#include <gtest/gtest.h>

#include <filesystem>

#include "installer/install.h"
#include "installer/uninstall_procedure.h"
#include "tests/installer/recording_front_end.h"
#include "tests/installer/setup_test_machine.h"

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

// The stored directory is a value anyone running as the user may write: nothing in it is deleted
// when it is a drive root, a system, program or user folder, relative, reached through a link or
// not there; the rest of the uninstall proceeds and the report says why.
TEST_F(UninstallProcedure, AStoredDirectoryThatIsNoProductFolderIsLeftAlone) {
    MakeFolders("games\\VantorFenWix");
    MakeLink("Program Files (x86)\\Linked", "games");
    const struct {
        std::string stored;
        std::string sentence;
    } cases[] = {
        {Path("users\\..\\..\\..\\.."), "安装目录是磁盘或共享的根目录，其中的文件没有删除。"},
        {Path("users\\me"), "安装目录是系统、程序或用户的文件夹，其中的文件没有删除。"},
        {Path("windows\\system32\\VantorFenWix"),
         "安装目录是系统、程序或用户的文件夹，其中的文件没有删除。"},
        {kInstallDir, "安装目录不是完整的路径，其中的文件没有删除。"},
        {Path("Program Files (x86)\\Linked\\VantorFenWix"),
         "安装目录要经过链接才能到达，其中的文件没有删除。"},
        {Path("missing"), "安装目录不存在或无法确定其位置，其中的文件没有删除。"},
    };
    for (const auto& c : cases) {
        InstallProduct();
        for (const char* holder : {"users\\me", "windows\\system32\\VantorFenWix",
                                   "games\\VantorFenWix", kInstallDir.c_str()}) {
            MakeFolders(std::string(holder) + "\\download");
            WriteText(std::string(holder) + "\\download\\patch.bin", "pending");
            WriteText(std::string(holder) + "\\canary.txt", "precious");
            WriteText(std::string(holder) + "\\updatelist.xml", UpdateList({"canary.txt"}));
        }
        platform.SetValue(kUser, kInstallPathValue, c.stored);
        platform.messages.clear();
        inst::RunUninstall(platform);
        for (const char* holder : {"users\\me", "windows\\system32\\VantorFenWix",
                                   "games\\VantorFenWix", kInstallDir.c_str()}) {
            EXPECT_EQ(ReadText(std::string(holder) + "\\canary.txt"), "precious") << c.stored;
            EXPECT_TRUE(Exists(std::string(holder) + "\\download\\patch.bin")) << c.stored;
        }
        ASSERT_EQ(platform.messages.size(), 1u);
        EXPECT_EQ(platform.messages[0].text, kReport + c.stored + "\\\r\n\r\n" + c.sentence);
        EXPECT_FALSE(platform.HasValue(kMachine, kEntry + "\\DisplayName")) << "the rest proceeds";
    }
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

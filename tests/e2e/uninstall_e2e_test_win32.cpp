// The uninstall end to end under Wine: the program started as the installed uninstall.exe,
// with the product running, answered Yes or No as a person would.
#include "tests/e2e/install_e2e_fixture.h"
#include "tests/runtime/folder_link.h"

namespace e2e {
namespace {

const char kReport[] = "VantorSaelin 卸载完毕！\r\n\r\n剩余文件您可以手动删除：\r\n\r\n";

class UninstallE2E : public InstallE2E {
  protected:
    // The product installed with every entry, the real program as its uninstall.exe, and an
    // updater's list that also names a file in a sub-folder and a read-only file.
    void InstallProduct() {
        Install(kDefaultDir, "1110");
        ASSERT_TRUE(WaitForFile(ProductFile("updatelist.xml"), 15000));
        ASSERT_TRUE(
            CopyFileA(SetupProgramPath().c_str(), ProductFile("uninstall.exe").c_str(), FALSE));
        CreateDirectoryA(ProductFile("sub").c_str(), nullptr);
        WriteFileBytes(ProductFile("sub\\x.dll"), "listed in a sub-folder");
        WriteFileBytes(ProductFile("download\\update.part"), "half a download");
        WriteFileBytes(ProductFile("user.cfg"), "not listed");
        std::string list = ReadFileBytes(ProductFile("updatelist.xml")).value_or("");
        const std::size_t end = list.find("</files>");
        ASSERT_NE(end, std::string::npos);
        list.insert(end, "<file name=\"sub\\x.dll\" />\r\n");
        WriteFileBytes(ProductFile("updatelist.xml"), list);
        listed_ = FileNamesIn(ProductStagePath());
        ASSERT_FALSE(listed_.empty());
        SetFileAttributesA(ProductFile(listed_.back()).c_str(), FILE_ATTRIBUTE_READONLY);
    }

    std::optional<LaunchedProcess> StartProduct(const char* name) {
        auto product = LaunchedProcess::Start(ProductFile(name), "", kDefaultDir);
        if (!product) return product;
        WindowQuery query;
        query.processId = product->Id();
        EXPECT_TRUE(WaitForWindow(query, kBoxMs)) << name << " did not show its window";
        return product;
    }

    std::optional<LaunchedProcess> StartUninstaller() {
        return LaunchedProcess::Start(ProductFile("uninstall.exe"), "", kDefaultDir);
    }

    // Runs the uninstaller through to its end, answering Yes and then the report.
    void UninstallAnsweringYes() {
        auto uninstaller = StartUninstaller();
        ASSERT_TRUE(uninstaller);
        const auto question = WaitForBox(*uninstaller);
        ASSERT_TRUE(question);
        Answer(*question, IDYES);
        const auto report = WaitForBox(*uninstaller, kRunMs);
        ASSERT_TRUE(report);
        Answer(*report, IDOK);
        ExpectEnds(*uninstaller);
    }

    std::vector<std::string> listed_;
};

TEST_F(UninstallE2E, YesStopsTheProductAndRemovesWhatTheInstallCreated) {
    InstallProduct();
    auto fenwix = StartProduct("VantorFenwix.exe");
    auto saelin = StartProduct("VantorSaelin.exe");
    ASSERT_TRUE(fenwix && saelin);

    auto uninstaller = StartUninstaller();
    ASSERT_TRUE(uninstaller);
    const auto question = WaitForBox(*uninstaller);
    ASSERT_TRUE(question) << "no question appeared";
    EXPECT_EQ(question->text, "是否卸载 VantorSaelin ？");
    Answer(*question, IDYES);
    const auto report = WaitForBox(*uninstaller, kRunMs);
    ASSERT_TRUE(report) << "no report appeared";
    EXPECT_EQ(report->title, "卸载完毕");
    EXPECT_EQ(report->text, kReport + kDefaultDir + "\\");
    Answer(*report, IDOK);
    ExpectEnds(*uninstaller);

    EXPECT_TRUE(fenwix->WaitForExit(5000)) << "VantorFenwix.exe still runs";
    EXPECT_TRUE(saelin->WaitForExit(5000)) << "VantorSaelin.exe still runs";
    for (const std::string& name : listed_) {
        EXPECT_FALSE(FileExists(ProductFile(name))) << name << " was left";
    }
    EXPECT_FALSE(FileExists(ProductFile("sub\\x.dll")));
    EXPECT_TRUE(FolderExists(ProductFile("sub")));
    EXPECT_FALSE(FolderExists(ProductFile("download")));
    EXPECT_FALSE(FileExists(ProductFile("updatelist.xml")));
    EXPECT_TRUE(FileExists(ProductFile("uninstall.exe")));
    EXPECT_TRUE(FileExists(ProductFile("user.cfg")));

    EXPECT_FALSE(RegistryText(HKEY_CURRENT_USER, kRunKey, "VantorFenwix"));
    EXPECT_FALSE(RegistryKeyExists(HKEY_LOCAL_MACHINE, kUninstallKey));
    EXPECT_FALSE(FileExists(kCommonDesktop + "\\VantorSaelin.lnk"));
    EXPECT_FALSE(FolderExists(StartMenu("\\VantorFenWix")));
    EXPECT_FALSE(FolderExists(StartMenu("")));
    EXPECT_EQ(RegistrySnapshot(HKEY_CURRENT_USER, kSettingsKey).size(), 5u)
        << "the product's own settings stay";
    EXPECT_EQ(RegistryText(HKEY_CURRENT_USER, kSettingsKey, "InstallPath"), kDefaultDir);
}

TEST_F(UninstallE2E, NoChangesNothing) {
    InstallProduct();
    auto fenwix = StartProduct("VantorFenwix.exe");
    ASSERT_TRUE(fenwix);
    const auto settings = RegistrySnapshot(HKEY_CURRENT_USER, kSettingsKey);
    const auto entry = RegistrySnapshot(HKEY_LOCAL_MACHINE, kUninstallKey);
    const auto run = RegistryText(HKEY_CURRENT_USER, kRunKey, "VantorFenwix");
    const auto files = TreeSnapshot(kDefaultDir);
    const auto startMenu = TreeSnapshot(StartMenu(""));

    auto uninstaller = StartUninstaller();
    ASSERT_TRUE(uninstaller);
    const auto question = WaitForBox(*uninstaller);
    ASSERT_TRUE(question);
    Answer(*question, IDNO);
    ExpectEnds(*uninstaller);

    EXPECT_FALSE(fenwix->WaitForExit(500)) << "the product was stopped";
    EXPECT_EQ(RegistrySnapshot(HKEY_CURRENT_USER, kSettingsKey), settings);
    EXPECT_EQ(RegistrySnapshot(HKEY_LOCAL_MACHINE, kUninstallKey), entry);
    EXPECT_EQ(entry.size(), 9u);
    EXPECT_EQ(RegistryText(HKEY_CURRENT_USER, kRunKey, "VantorFenwix"), run);
    EXPECT_TRUE(TreeSnapshot(kDefaultDir) == files) << "files in the install directory changed";
    EXPECT_TRUE(TreeSnapshot(StartMenu("")) == startMenu);
    EXPECT_TRUE(FileExists(kCommonDesktop + "\\VantorSaelin.lnk"));
}

// A listed name whose way passes a link inside the install directory is not deleted.
TEST_F(UninstallE2E, AListedNameReachedThroughALinkIsKept) {
    InstallProduct();
    CreateDirectoryA("C:\\vs-canaries", nullptr);
    WriteFileBytes("C:\\vs-canaries\\thesis.doc", "precious");
    ASSERT_TRUE(folder_link::MakeFolderLink(ProductFile("linked"), "C:\\vs-canaries"));
    std::string list = ReadFileBytes(ProductFile("updatelist.xml")).value_or("");
    list.insert(list.find("</files>"), "<file name=\"linked\\thesis.doc\" />\r\n");
    WriteFileBytes(ProductFile("updatelist.xml"), list);

    UninstallAnsweringYes();

    EXPECT_EQ(ReadFileBytes("C:\\vs-canaries\\thesis.doc"), "precious");
    EXPECT_FALSE(FileExists(ProductFile(listed_.front()))) << "the other names still go";
    RemoveTree(ProductFile("linked"));
    RemoveTree("C:\\vs-canaries");
}

TEST_F(UninstallE2E, TheMakersFolderStaysForAnotherProduct) {
    InstallProduct();
    CreateDirectoryA(StartMenu("\\OtherTool").c_str(), nullptr);
    WriteFileBytes(StartMenu("\\OtherTool\\OtherTool.lnk"), "another product of the maker");

    UninstallAnsweringYes();

    EXPECT_FALSE(FolderExists(StartMenu("\\VantorFenWix")));
    EXPECT_TRUE(FileExists(StartMenu("\\OtherTool\\OtherTool.lnk")));
}

// "Programs and Features": the system's own list of installed programs, which a 64-bit Windows
// builds from both registry views. Under Wine it is the uninstaller program of the system
// folder, the 64-bit one on a 64-bit Windows (reached from a 32-bit program through sysnative).
std::string SystemProgramsList() {
    char windows[MAX_PATH] = {};
    GetWindowsDirectoryA(windows, MAX_PATH);
    return std::string(windows) + (RunsUnderWow64() ? "\\sysnative" : "\\system32") +
           "\\uninstaller.exe";
}

TEST_F(UninstallE2E, TheSystemsListShowsTheEntryAndItsUninstallRemovesTheProduct) {
    auto setup = LaunchedProcess::Start(SetupProgramPath(), "/S");
    ASSERT_TRUE(setup);
    ASSERT_EQ(setup->WaitForExit(kRunMs), 0u) << "the silent install with the defaults failed";
    ASSERT_TRUE(WaitForFolder(ProductFile("download"), 15000)) << "the updater did not run";
    const std::vector<std::string> listed = FileNamesIn(ProductStagePath());

    // A 32-bit installer writes the entry into the 32-bit view, where a 64-bit Windows looks
    // for the entries of 32-bit programs; a 64-bit one into the 64-bit view.
    const REGSAM ownView = sizeof(void*) == 8 ? KEY_WOW64_64KEY : KEY_WOW64_32KEY;
    EXPECT_TRUE(RegistryKeyExists(HKEY_LOCAL_MACHINE, kUninstallKey, ownView));
    if (RunsUnderWow64()) {
        EXPECT_FALSE(RegistryKeyExists(HKEY_LOCAL_MACHINE, kUninstallKey, KEY_WOW64_64KEY));
    }
    const std::string programs = SystemProgramsList();
    EXPECT_NE(OutputOf("\"" + programs + "\" --list", kRunMs).find("VantorFenWix|||VantorSaelin"),
              std::string::npos)
        << "the system does not list the product";

    // The system starts the entry's UninstallString; the question and the report are the
    // uninstaller's, in a process of its own.
    auto remove = LaunchedProcess::Start(programs, "--remove VantorFenWix");
    ASSERT_TRUE(remove);
    WindowQuery box;
    box.className = "#32770";
    box.title = "卸载 VantorSaelin";
    const auto question = WaitForWindow(box, kBoxMs);
    ASSERT_TRUE(question) << "the uninstaller did not ask";
    Answer({question->handle, question->title, MessageBoxText(question->handle)}, IDYES);
    box.title = "卸载完毕";
    const auto report = WaitForWindow(box, kRunMs);
    ASSERT_TRUE(report) << "no report appeared";
    Answer({report->handle, report->title, MessageBoxText(report->handle)}, IDOK);
    ExpectEnds(*remove);

    for (const std::string& name : listed)
        EXPECT_FALSE(FileExists(ProductFile(name))) << name << " was left";
    EXPECT_FALSE(RegistryKeyExists(HKEY_LOCAL_MACHINE, kUninstallKey, ownView));
    EXPECT_FALSE(FolderExists(StartMenu("")));
    EXPECT_FALSE(FileExists(kCommonDesktop + "\\VantorSaelin.lnk"));
}

// The stored install directory is a value anyone running as the user may write. The elevated
// uninstaller deletes nothing in one that is a drive, a system or program folder, a relative
// path or a link to a drive, though each holds a list naming a file and a download folder; the
// report or the log says why, and the silent uninstall ends with 4.
TEST_F(UninstallE2E, AStoredDirectoryThatIsNoProductFolderIsLeftAlone) {
    const std::string uninstaller = "C:\\vs-uninstaller\\uninstall.exe";
    const std::string current = "C:\\vs-current";  // the uninstaller's current folder
    const std::string rootLink = "C:\\vs-root-link";
    CreateDirectoryA("C:\\vs-uninstaller", nullptr);
    CreateDirectoryA(current.c_str(), nullptr);
    ASSERT_TRUE(CopyFileA(SetupProgramPath().c_str(), uninstaller.c_str(), FALSE));
    ASSERT_TRUE(folder_link::MakeFolderLink(rootLink, "C:\\"));
    const std::string root = "it is the root of a drive or share";
    const std::string guarded = "it is a system, program or user folder, or holds one";
    const struct {
        std::string stored;
        std::string holder;  // where the list, the canary and the download folder lie
        std::string reason;
    } cases[] = {
        {"C:\\", "C:", root},
        {"C:", "C:", root},
        {"C:\\windows", "C:\\windows", guarded},
        {kProgramFiles, kProgramFiles, guarded},
        {".", current, "it is not an absolute path"},
        {rootLink, "C:", root},
    };
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    const std::string log = std::string(temp) + "vs-refused-uninstall.log";
    for (const auto& c : cases) {
        WriteFileBytes(c.holder + "\\updatelist.xml",
                       "<root><files><file name=\"vs-canary.txt\"/></files></root>");
        WriteFileBytes(c.holder + "\\vs-canary.txt", "precious");
        CreateDirectoryA((c.holder + "\\download").c_str(), nullptr);
        WriteFileBytes(c.holder + "\\download\\vs-part.bin", "precious");
        SetRegistryText(HKEY_CURRENT_USER, kSettingsKey, "InstallPath", c.stored);
        const std::string base = c.stored + "\\";

        auto silent = LaunchedProcess::Start(uninstaller, "/S \"/LOG=" + log + "\"", current);
        ASSERT_TRUE(silent);
        EXPECT_EQ(silent->WaitForExit(kRunMs), 4u) << c.stored;
        EXPECT_NE(ReadFileBytes(log).value_or("").find("FAILED install directory used: " + base +
                                                       ": " + c.reason + ": no file in it deleted"),
                  std::string::npos)
            << c.stored << "\n"
            << ReadFileBytes(log).value_or("");

        auto asked = LaunchedProcess::Start(uninstaller, "", current);
        ASSERT_TRUE(asked);
        const auto question = WaitForBox(*asked);
        ASSERT_TRUE(question) << c.stored;
        Answer(*question, IDYES);
        const auto report = WaitForBox(*asked, kRunMs);
        ASSERT_TRUE(report) << c.stored;
        EXPECT_EQ(report->text.rfind(kReport + base + "\r\n\r\n", 0), 0u) << report->text;
        EXPECT_NE(report->text.find("其中的文件没有删除"), std::string::npos) << report->text;
        Answer(*report, IDOK);
        ExpectEnds(*asked);

        EXPECT_EQ(ReadFileBytes(c.holder + "\\vs-canary.txt"), "precious") << c.stored;
        EXPECT_EQ(ReadFileBytes(c.holder + "\\download\\vs-part.bin"), "precious") << c.stored;
        EXPECT_TRUE(FileExists(c.holder + "\\updatelist.xml")) << c.stored;
        DeleteFileA((c.holder + "\\updatelist.xml").c_str());
        DeleteFileA((c.holder + "\\vs-canary.txt").c_str());
        RemoveTree(c.holder + "\\download");
    }
    DeleteFileA(log.c_str());
    RemoveTree(rootLink);
    RemoveTree(current);
    RemoveTree("C:\\vs-uninstaller");
}

}  // namespace
}  // namespace e2e

// The silent install and uninstall on a scratch machine: what they install and remove, that
// they show nothing, what they log, and the exit code of each way they can end.
#include "installer/silent_setup.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "installer/setup_exit_codes.h"
#include "tests/installer/setup_test_machine.h"

namespace insttest {
namespace {

const std::string kEntryName =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\VantorFenWix\\DisplayName";
const std::string kSilentDir = "Some Dir\\产品";

class RecordedLines final : public inst::LogSink {
  public:
    void WriteLine(std::string_view line) override { lines.emplace_back(line); }
    bool Has(const std::string& line) const {
        return std::find(lines.begin(), lines.end(), line) != lines.end();
    }
    bool HasStart(const std::string& start) const {
        return std::any_of(lines.begin(), lines.end(),
                           [&](const std::string& line) { return line.rfind(start, 0) == 0; });
    }
    std::vector<std::string> lines;
};

class SilentSetup : public SetupTestMachine {
  protected:
    // The switches as read from the command line.
    static inst::SetupCommandLine Switches(std::optional<std::string> directory) {
        inst::SetupCommandLine command;
        command.switches.silent = true;
        command.switches.installDirectory = std::move(directory);
        return command;
    }
    int Install(const inst::SetupCommandLine& command, const rt::ByteSet& payload,
                std::uint32_t checksum) {
        recorded = {};
        inst::SetupLog log(&recorded);
        return inst::RunSilentInstall(command, platform, {payload, checksum}, log);
    }
    int Install(const std::string& directory = kSilentDir) {
        return Install(Switches(Path(directory)), ProductPayload(), ProductImageChecksum());
    }
    int Uninstall(const inst::SetupCommandLine& command = Switches(std::nullopt)) {
        recorded = {};
        inst::SetupLog log(&recorded);
        return inst::RunSilentUninstall(command, platform, log);
    }
    // Nothing on the machine changed: no registry write, nothing in the directory.
    void ExpectUntouched(const std::string& what) {
        for (const std::string& line : platform.registryLog)
            EXPECT_NE(line.rfind("write", 0), 0u) << what << ": " << line;
        EXPECT_FALSE(Exists(kSilentDir)) << what;
        EXPECT_TRUE(platform.shortcuts.empty()) << what;
    }

    RecordedLines recorded;
};

TEST_F(SilentSetup, InstallsWithTheDefaultsShowsNothingAndLogsEveryFile) {
    EXPECT_EQ(Install(), inst::kExitSuccess);

    for (const auto& [name, content] : ProductFiles()) {
        EXPECT_EQ(ReadText(kSilentDir + "\\" + name), content) << name;
        EXPECT_TRUE(recorded.Has("file written: " + Path(kSilentDir) + "\\" + name + " (" +
                                 std::to_string(content.size()) + " bytes)"))
            << name;
    }
    EXPECT_TRUE(Exists(kSilentDir + "\\uninstall.exe"));
    EXPECT_EQ(platform.Value(kUser, kSettings + "InstallPath"), Path(kSilentDir));
    EXPECT_EQ(platform.Value(kUser, kSettings + "RemoveOldConfigFiles"), "0");
    EXPECT_EQ(platform.Value(kMachine, kEntryName), "VantorSaelin");
    EXPECT_EQ(platform.shortcuts.size(), 3u) << "desktop and both Start-menu shortcuts";
    EXPECT_EQ(platform.startedPrograms.size(), 1u);
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_FALSE(Exists(kSilentDir + "\\~vantorsaelin-setup-write-test.tmp"));
    EXPECT_TRUE(recorded.HasStart("question: delete the old configuration files"));
    EXPECT_TRUE(
        recorded.Has("registry value set: HKEY_CURRENT_USER\\" + kSettings + "AutoStartup = 1"));
    EXPECT_FALSE(recorded.HasStart("registry entry deleted"))
        << "with every option on nothing is deleted";
}

// Saved choices decide, and a saved "1" is the only way the old files go.
TEST_F(SilentSetup, FollowsTheSavedChoices) {
    struct Case {
        const char* removeOld;
        bool strayKept;
    };
    for (const Case& c : {Case{"0", true}, Case{"yes", true}, Case{"1", false}}) {
        platform.SetValue(kUser, kSettings + "CreatDesktopShortcut", "0");
        platform.SetValue(kUser, kSettings + "RemoveOldConfigFiles", c.removeOld);
        MakeFolders(kSilentDir);
        WriteText(kSilentDir + "\\old.cfg", "old");
        platform.shortcuts.clear();

        EXPECT_EQ(Install(), inst::kExitSuccess) << c.removeOld;

        EXPECT_EQ(Exists(kSilentDir + "\\old.cfg"), c.strayKept) << c.removeOld;
        EXPECT_EQ(platform.shortcuts.size(), 2u) << "no desktop shortcut";
        EXPECT_TRUE(recorded.HasStart("shortcut deleted: " + CommonDesktop()));
    }
}

// Each way the install can fail has its own code; those found before any change leave the
// machine as it was.
TEST_F(SilentSetup, EachFailureHasItsExitCode) {
    for (const BrokenPayload& broken : BrokenPayloads()) {
        EXPECT_EQ(Install(Switches(Path(kSilentDir)), broken.container, broken.imageChecksum),
                  inst::kExitDamagedPayload)
            << broken.what;
        ExpectUntouched(broken.what);
        EXPECT_TRUE(
            recorded.Has("message: VantorSaelin 安装向导: 解压失败！ -> not shown (silent run)"));
    }

    platform.freeSpace = 5082;  // one byte short of the files and the uninstaller
    EXPECT_EQ(Install(), inst::kExitDirectoryNotWritable);
    ExpectUntouched("no room");
    EXPECT_TRUE(
        recorded.Has("FAILED free space: " + Path(kSilentDir) + ": 5083 bytes needed, 5082 bytes free"));
    EXPECT_TRUE(
        recorded.Has("message: VantorSaelin 安装向导: 磁盘空间不足，无法安装。 | 需要 "
                     "0.1 MB，可用 0.0 MB。 -> not shown (silent run)"));
    platform.freeSpace = std::uint64_t{1} << 40;

    const auto badSwitches =
        inst::ParseSetupCommandLine("/S /D=C:\\V /LOG=x.log", inst::RunMode::Installer);
    EXPECT_EQ(Install(badSwitches, ProductPayload(), ProductImageChecksum()),
              inst::kExitBadSwitches);
    EXPECT_TRUE(recorded.HasStart("FAILED switch: /D=")) << "the log says which";
    ExpectUntouched("bad switches");

    EXPECT_EQ(Install(Switches("Z:\\tmp\\.."), ProductPayload(), ProductImageChecksum()),
              inst::kExitDirectoryNotWritable);
    EXPECT_TRUE(recorded.Has("FAILED install directory: Z:\\tmp\\..: a drive root is refused"));
    ExpectUntouched("a drive root");

    platform.running["VantorFenwix.exe"] = 2;
    platform.unstoppable.insert("VantorFenwix.exe");
    EXPECT_EQ(Install(), inst::kExitProductRunning);
    ExpectUntouched("running product");
    platform.unstoppable.clear();
    EXPECT_EQ(Install(), inst::kExitSuccess) << "two instances, both stopped";

    // Files that cannot be written: each in the log, and no updater for what is half there.
    const std::vector<std::string> blocked = {"VantorSaelin.exe", "data\\level.dat"};
    for (const std::string& name : blocked)
        MakeReadOnly(kSilentDir + "\\" + name);
    platform.startedPrograms.clear();
    EXPECT_EQ(Install(), inst::kExitDirectoryNotWritable);
    for (const std::string& name : blocked) {
        EXPECT_TRUE(recorded.HasStart("FAILED file written: " + Path(kSilentDir + "\\" + name))) << name;
        std::filesystem::permissions(NativePath(kSilentDir + "\\" + name),
                                     std::filesystem::perms::owner_write,
                                     std::filesystem::perm_options::add);
    }
    EXPECT_TRUE(recorded.Has("updater not started: 2 files could not be written"));
    EXPECT_TRUE(
        recorded.HasStart("message: VantorSaelin 安装向导: 安装未完成：2 个文件无法写入。"));
    EXPECT_TRUE(platform.startedPrograms.empty());

    WriteText("a-file", "in the way");
    EXPECT_EQ(Install("a-file\\Vantor"), inst::kExitDirectoryNotWritable);

    platform.refuseMachineWrites = true;
    EXPECT_EQ(Install(), inst::kExitIncomplete);
    EXPECT_TRUE(recorded.HasStart("FAILED registry value set: HKEY_LOCAL_MACHINE\\"));
    EXPECT_TRUE(Exists(kSilentDir + "\\VantorFenwix.exe"));

    platform.specialFolders.erase(0x2a);
    platform.specialFolders.erase(0x26);
    platform.values.clear();
    EXPECT_EQ(Install(Switches(std::nullopt), ProductPayload(), ProductImageChecksum()),
              inst::kExitDirectoryNotWritable)
        << "no saved directory and no default one";
}

TEST_F(SilentSetup, UninstallsWithoutQuestionOrReportAndStopsEveryInstance) {
    ASSERT_EQ(Install(), inst::kExitSuccess);
    std::string list = "<root><files>";
    for (const auto& [name, content] : ProductFiles())
        list += "<file name=\"" + name + "\"/>";
    WriteText(kSilentDir + "\\updatelist.xml", list + "</files></root>");
    platform.running["VantorSaelin.exe"] = 2;

    EXPECT_EQ(Uninstall(), inst::kExitSuccess);

    for (const auto& [name, content] : ProductFiles())
        EXPECT_FALSE(Exists(kSilentDir + "\\" + name)) << name;
    EXPECT_FALSE(platform.HasValue(kMachine, kEntryName));
    EXPECT_FALSE(Exists("users\\Public\\Desktop\\VantorSaelin.lnk"));
    EXPECT_TRUE(platform.messages.empty()) << "no question, no report";
    EXPECT_EQ(platform.running["VantorSaelin.exe"], 0);
    EXPECT_TRUE(recorded.HasStart("message: 卸载完毕: VantorSaelin 卸载完毕！ | "));
}

// The registry entries and shortcuts still go, but the product's files stay: no success.
TEST_F(SilentSetup, AnUninstallThatDeletesNoProductFileDoesNotEndWithZero) {
    const struct {
        const char* what;
        const char* list;  // nothing: no list; empty: no stored directory
        const char* logSays;
    } cases[] = {
        {"no list", nullptr, "FAILED file list read: "},
        {"only files that are gone", "<root><files><file name=\"gone.dll\"/></files></root>",
         "FAILED files deleted: "},
        {"no stored directory", "", "FAILED install directory read: "},
    };
    for (const auto& c : cases) {
        ASSERT_EQ(Install(), inst::kExitSuccess) << c.what;
        if (c.list != nullptr && *c.list != '\0') WriteText(kSilentDir + "\\updatelist.xml", c.list);
        if (c.list != nullptr && *c.list == '\0')
            platform.values.erase({kUser, kSettings + "InstallPath"});
        EXPECT_EQ(Uninstall(), inst::kExitDirectoryNotWritable) << c.what;
        EXPECT_TRUE(recorded.HasStart(c.logSays)) << c.what;
        EXPECT_FALSE(platform.HasValue(kMachine, kEntryName)) << c.what;
    }
}

TEST_F(SilentSetup, UninstallRemovesNothingWhileTheProductRunsOrOnBadSwitches) {
    ASSERT_EQ(Install(), inst::kExitSuccess);
    WriteText(kSilentDir + "\\updatelist.xml",
              "<root><files><file name=\"AutoUpdate.exe\"/></files></root>");
    platform.running["VantorFenwix.exe"] = 1;
    platform.unstoppable.insert("VantorFenwix.exe");
    EXPECT_EQ(Uninstall(), inst::kExitProductRunning);
    EXPECT_EQ(Uninstall(inst::ParseSetupCommandLine("/S /D=C:\\x", inst::RunMode::Uninstaller)),
              inst::kExitBadSwitches);
    EXPECT_TRUE(Exists(kSilentDir + "\\AutoUpdate.exe"));
    EXPECT_TRUE(platform.HasValue(kMachine, kEntryName));
}

}  // namespace
}  // namespace insttest

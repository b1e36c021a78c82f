// Installers made without a compiler, as a release engineer makes them: vspack make-installer
// with the stub and a folder that is not the demo product, then signed with osslsigncode
// (made_installers.sh made them on the build machine before this program runs).
#include <algorithm>

#include "installer/appended_payload.h"
#include "tests/e2e/install_e2e_fixture.h"
#include "tests/e2e/wizard_clicks.h"

namespace e2e {
namespace {

using Snapshot = std::vector<std::pair<std::string, std::string>>;

std::string Made(const std::string& name) {
    return WindowsPathOf(VS_MADE_INSTALLERS) + "\\" + name;
}

Snapshot SortedSnapshot(const std::string& folder) {
    Snapshot files = TreeSnapshot(folder);
    std::sort(files.begin(), files.end());
    return files;
}

std::vector<std::string> NamesOf(const Snapshot& files) {
    std::vector<std::string> names;
    for (const auto& file : files)
        names.push_back(file.first);
    return names;
}

class MadeInstallerE2E : public InstallE2E {
  protected:
    void SetUp() override {
        InstallE2E::SetUp();
        char temp[MAX_PATH] = {};
        GetTempPathA(MAX_PATH, temp);
        temp_ = temp;
    }
    void TearDown() override {
        DeleteFileA(LogPath().c_str());
        InstallE2E::TearDown();
    }

    std::string LogPath() const { return temp_ + "vs-made-installer.log"; }
    std::string Log() const { return ReadFileBytes(LogPath()).value_or(""); }

    // Runs the program with /S and a new log, to its end.
    std::optional<DWORD> RunSilently(const std::string& program) const {
        DeleteFileA(LogPath().c_str());
        auto process = LaunchedProcess::Start(program, "/S \"/LOG=" + LogPath() + "\"");
        return process ? process->WaitForExit(kRunMs) : std::nullopt;
    }

    std::string TempCopy(const std::string& name, const std::string& bytes) const {
        WriteFileBytes(temp_ + name, bytes);
        return temp_ + name;
    }

    // The folder's files in the install directory byte for byte, beside the uninstaller (the
    // stub: the installer without its payload, and without the signature that covered it) and
    // what the updater writes.
    void ExpectInstalledAsTheFolder(const std::string& installer) const {
        const Snapshot folder = SortedSnapshot(Made("folder"));
        ASSERT_TRUE(std::any_of(folder.begin(), folder.end(), [](const auto& file) {
            return file.second.size() > (8u << 20);
        })) << "the folder holds no file over 8 MB";
        ASSERT_TRUE(WaitForFolder(ProductFile("download"), 15000)) << "the updater did not run";
        Snapshot installed = SortedSnapshot(kDefaultDir);
        std::erase_if(installed, [](const auto& file) {
            return file.first == "uninstall.exe" || file.first == "updatelist.xml" ||
                   file.first.starts_with("download\\");
        });
        ASSERT_EQ(NamesOf(installed), NamesOf(folder));
        for (std::size_t i = 0; i < folder.size(); ++i)
            EXPECT_TRUE(installed[i].second == folder[i].second) << folder[i].first << " differs";
        EXPECT_TRUE(ReadFileBytes(ProductFile("uninstall.exe")) == ReadFileBytes(Made("stub.exe")))
            << "the uninstaller of " << installer << " is not the stub";
    }

  private:
    std::string temp_;
};

TEST_F(MadeInstallerE2E, InstallsTheFolderSilentlyAndTheInstalledCopyUninstalls) {
    EXPECT_EQ(RunSilently(Made("setup.exe")), 0u) << Log();
    ExpectInstalledAsTheFolder(Made("setup.exe"));
    EXPECT_NE(Log().find(" (" + std::to_string(9u << 20) + " bytes)\r\n"), std::string::npos)
        << "the big file is not in the log";
    EXPECT_NE(Log().find("exit code 0 (success)"), std::string::npos);

    auto uninstall = LaunchedProcess::Start(ProductFile("uninstall.exe"), "/S", kDefaultDir);
    ASSERT_TRUE(uninstall);
    EXPECT_EQ(uninstall->WaitForExit(kRunMs), 0u);
    EXPECT_FALSE(FileExists(ProductFile("AutoUpdate.exe"))) << "the updater lists itself";
    EXPECT_FALSE(RegistryKeyExists(HKEY_LOCAL_MACHINE, kUninstallKey));
}

TEST_F(MadeInstallerE2E, TheSignedInstallerInstallsByClicksInTheWizard) {
    auto wizard = StartWizard(Made("signed.exe"));
    ASSERT_TRUE(wizard) << "the wizard did not appear";
    EXPECT_EQ(Boxes(wizard->window), "1110");
    Click(wizard->window, kInstall);
    ExpectEnds(wizard->process);
    ExpectInstalledAsTheFolder(Made("signed.exe"));
}

TEST_F(MadeInstallerE2E, WithoutASoundAppendedPayloadNothingIsInstalled) {
    const std::string made = ReadFileBytes(Made("setup.exe")).value_or("");
    const std::size_t stubSize = ReadFileBytes(Made("stub.exe")).value_or("").size();
    ASSERT_GT(made.size(), stubSize + inst::kAppendedTrailerSize);
    std::string outside = made;
    const rt::ByteSet trailer = inst::EncodeAppendedTrailer({0xFFFFFF00u, 0, 0});
    std::copy(trailer.begin(), trailer.end(), outside.end() - trailer.size());
    struct Case {
        const char* what;
        std::string program;
    };
    const Case cases[] = {
        {"the stub with nothing appended", Made("stub.exe")},
        {"the payload cut short",
         TempCopy("vs-cut.exe", made.substr(0, stubSize + (made.size() - stubSize) / 2))},
        {"a trailer whose lengths reach beyond the file", TempCopy("vs-outside.exe", outside)},
        {"the signed installer with one byte changed", Made("tampered.exe")},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(RunSilently(c.program), 3u) << c.what;
        EXPECT_NE(Log().find("FAILED payload decoded"), std::string::npos) << c.what << Log();
        EXPECT_FALSE(FolderExists(kProgramFiles + "\\Korrel")) << c.what;
        EXPECT_FALSE(RegistryKeyExists(HKEY_CURRENT_USER, kSettingsKey)) << c.what;
        EXPECT_FALSE(RegistryKeyExists(HKEY_LOCAL_MACHINE, kUninstallKey)) << c.what;
    }
    DeleteFileA(cases[1].program.c_str());
    DeleteFileA(cases[2].program.c_str());
}

}  // namespace
}  // namespace e2e

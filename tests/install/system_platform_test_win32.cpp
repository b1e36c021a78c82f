// The real platform under Wine, in ways that change nothing on the machine: special folders,
// full paths, the folders a wipe must spare, and stopping a product that is not running.
#include <windows.h>

#include <gtest/gtest.h>

#include "installer/install.h"
#include "installer/install_special_folder.h"
#include "installer/install_start_menu.h"
#include "installer/install_system_platform.h"
#include "installer/install_wipe_guard.h"

namespace {

std::string TempFolder() {
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    std::string folder = temp;
    if (!folder.empty() && folder.back() == '\\') folder.pop_back();
    return folder;
}

TEST(SystemPlatform, SpecialFoldersResolveWithoutTrailingBackslash) {
    EXPECT_EQ(inst::SpecialFolderPath(42), "C:\\Program Files (x86)");
    EXPECT_EQ(inst::SpecialFolderPath(25), "C:\\users\\Public\\Desktop");
    EXPECT_EQ(inst::SpecialFolderPath(23),
              "C:\\ProgramData\\Microsoft\\Windows\\Start Menu\\Programs");
    EXPECT_EQ(inst::SpecialFolderPath(17), "") << "the drives folder has no file-system path";
    EXPECT_EQ(inst::DefaultInstallDirectory(inst::SystemSetupPlatform()),
              sizeof(void*) == 8 ? "C:\\Program Files\\Korrel\\VantorFenWix"
                                 : "C:\\Program Files (x86)\\Korrel\\VantorFenWix");
}

TEST(SystemPlatform, FullPathAppliesDotsTheCurrentFolderAndLongNames) {
    inst::SetupPlatform& platform = inst::SystemSetupPlatform();
    EXPECT_EQ(platform.FullPath("C:\\windows\\system32\\..\\.\\"), "C:\\windows\\");
    EXPECT_EQ(platform.FullPath("C:/windows"), "C:\\windows");
    char current[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, current);
    std::string here = current;
    if (here.back() != '\\') here += '\\';
    EXPECT_EQ(platform.FullPath("relative\\dir"), here + "relative\\dir");

    char shortName[MAX_PATH] = {};
    ASSERT_GT(GetShortPathNameA("C:\\Program Files (x86)", shortName, MAX_PATH), 0u);
    EXPECT_EQ(platform.FullPath(shortName), "C:\\Program Files (x86)") << shortName;
}

TEST(SystemPlatform, TheWipeSparesSystemFoldersHowEverTheyAreWritten) {
    inst::SetupPlatform& platform = inst::SystemSetupPlatform();
    const inst::GuardedFolders guarded = inst::GuardedFoldersOf(platform);
    const auto mayWipe = [&](const std::string& typed) {
        return inst::MayWipeDirectory(platform.FullPath(typed), guarded);
    };
    char shortName[MAX_PATH] = {};
    GetShortPathNameA("C:\\Program Files", shortName, MAX_PATH);
    for (const std::string& typed :
         {std::string("C:\\"), std::string("c:"), std::string("C:\\Windows"),
          std::string("C:\\windows\\system32"), std::string("C:\\Program Files\\"),
          std::string("C:\\Program Files (x86)\\Korrel\\.."), std::string(shortName),
          std::string("C:\\users"), inst::SpecialFolderPath(0x28), std::string("C:\\users\\Public"),
          inst::SpecialFolderPath(25), inst::SpecialFolderPath(23), std::string("C:\\ProgramData"),
          std::string("\\")}) {
        EXPECT_FALSE(mayWipe(typed)) << typed;
    }
    EXPECT_TRUE(mayWipe("C:\\Program Files (x86)\\Korrel\\VantorFenWix"));
    EXPECT_TRUE(mayWipe(TempFolder() + "\\vs-wipe-target"));
}

TEST(SystemPlatform, EmptyFolderTestSeesFilesAndFolders) {
    const std::string folder = TempFolder() + "\\vs-empty-folder-test";
    CreateDirectoryA(folder.c_str(), nullptr);
    EXPECT_TRUE(inst::IsEmptyFolder(folder));
    CreateDirectoryA((folder + "\\inner").c_str(), nullptr);
    EXPECT_FALSE(inst::IsEmptyFolder(folder));
    RemoveDirectoryA((folder + "\\inner").c_str());
    RemoveDirectoryA(folder.c_str());
    EXPECT_FALSE(inst::IsEmptyFolder(folder)) << "a missing folder is not an empty one";
}

// The uninstall deletes the product's files right after stopping it, so the stop has to be
// complete by then, not merely requested.
TEST(SystemPlatform, StoppingTheProductReturnsOnlyOnceItHasEnded) {
    const std::string program = std::string("Z:") + VS_PRODUCT_PROGRAM;
    std::string hostless = program;
    for (char& c : hostless) {
        if (c == '/') c = '\\';
    }
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    ASSERT_TRUE(CreateProcessA(hostless.c_str(), nullptr, nullptr, nullptr, FALSE, 0, nullptr,
                               nullptr, &startup, &process))
        << hostless;
    WaitForInputIdle(process.hProcess, 10000);
    EXPECT_EQ(WaitForSingleObject(process.hProcess, 0), static_cast<DWORD>(WAIT_TIMEOUT));

    EXPECT_EQ(inst::SystemSetupPlatform().StopProcessNamed("vantorfenwix.EXE"),
              inst::StopResult::kStopped);

    EXPECT_EQ(WaitForSingleObject(process.hProcess, 0), static_cast<DWORD>(WAIT_OBJECT_0))
        << "the product still runs when the stop returns";
    TerminateProcess(process.hProcess, 0);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
}

TEST(SystemPlatform, StoppingAProductThatIsNotRunningReturnsAtOnce) {
    const DWORD start = GetTickCount();
    EXPECT_EQ(inst::SystemSetupPlatform().StopProcessNamed("NoSuchProduct-4711.exe"),
              inst::StopResult::kNotRunning);
    EXPECT_LT(GetTickCount() - start, 3000u);
}

}  // namespace

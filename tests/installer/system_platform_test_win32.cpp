// The real platform under Wine, in ways that change nothing on the machine: special folders,
// full paths, the folders a wipe must spare, and stopping a product that is not running.
#include <windows.h>

#include <cstdio>

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

// The system's own word on its folders, from the environment it gives this process:
// ProgramFiles is the x86 folder for a 32-bit program on 64-bit Windows; 32-bit Windows
// has no ProgramFiles(x86).
std::string EnvironmentFolder(const char* name) {
    char value[MAX_PATH] = {};
    const DWORD length = GetEnvironmentVariableA(name, value, MAX_PATH);
    return length > 0 && length < MAX_PATH ? std::string(value, length) : std::string();
}

std::string ProgramFiles() {
    return EnvironmentFolder("ProgramFiles");
}

std::string ProgramFilesX86() {
    const std::string x86 = EnvironmentFolder("ProgramFiles(x86)");
    return x86.empty() ? ProgramFiles() : x86;
}

TEST(SystemPlatform, SpecialFoldersResolveWithoutTrailingBackslash) {
    ASSERT_FALSE(ProgramFiles().empty());
    EXPECT_EQ(inst::SpecialFolderPath(42), ProgramFilesX86());
    EXPECT_EQ(inst::SpecialFolderPath(25), EnvironmentFolder("PUBLIC") + "\\Desktop");
    EXPECT_EQ(inst::SpecialFolderPath(23),
              EnvironmentFolder("ALLUSERSPROFILE") + "\\Microsoft\\Windows\\Start Menu\\Programs");
    EXPECT_EQ(inst::SpecialFolderPath(17), "") << "the drives folder has no file-system path";
    EXPECT_EQ(inst::DefaultInstallDirectory(inst::SystemSetupPlatform()),
              ProgramFiles() + "\\Korrel\\VantorFenWix");
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
    ASSERT_GT(GetShortPathNameA(ProgramFiles().c_str(), shortName, MAX_PATH), 0u);
    EXPECT_EQ(platform.FullPath(shortName), ProgramFiles()) << shortName;
}

TEST(SystemPlatform, TheWipeSparesSystemFoldersHowEverTheyAreWritten) {
    inst::SetupPlatform& platform = inst::SystemSetupPlatform();
    const inst::GuardedFolders guarded = inst::GuardedFoldersOf(platform);
    const auto mayWipe = [&](const std::string& typed) {
        return inst::MayWipeDirectory(platform.FullPath(typed), guarded);
    };
    char shortName[MAX_PATH] = {};
    ASSERT_GT(GetShortPathNameA(ProgramFiles().c_str(), shortName, MAX_PATH), 0u);
    for (const std::string& typed :
         {std::string("C:\\"), std::string("c:"), std::string("C:\\Windows"),
          std::string("C:\\windows\\system32"), ProgramFiles() + "\\",
          ProgramFilesX86() + "\\Korrel\\..", std::string(shortName), std::string("C:\\users"),
          inst::SpecialFolderPath(0x28), std::string("C:\\users\\Public"),
          inst::SpecialFolderPath(25), inst::SpecialFolderPath(23), std::string("C:\\ProgramData"),
          std::string("\\")}) {
        EXPECT_FALSE(mayWipe(typed)) << typed;
    }
    EXPECT_TRUE(mayWipe(ProgramFiles() + "\\Korrel\\VantorFenWix"));
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

// A program of the other architecture than this test's: on a 64-bit Windows the 64-bit system
// folder holds 64-bit programs (a 32-bit program reaches it as "sysnative") and SysWOW64 the
// 32-bit ones. Empty on a 32-bit Windows, which has only one.
std::string OtherArchitectureNotepad() {
    char windows[MAX_PATH] = {};
    GetWindowsDirectoryA(windows, MAX_PATH);
    BOOL wow64 = FALSE;
    IsWow64Process(GetCurrentProcess(), &wow64);
    if (wow64) return std::string(windows) + "\\sysnative\\notepad.exe";
    if (sizeof(void*) == 8) return std::string(windows) + "\\syswow64\\notepad.exe";
    return {};
}

std::string WindowsPathOf(std::string hostPath) {
    for (char& c : hostPath) {
        if (c == '/') c = '\\';
    }
    return "Z:" + hostPath;
}

// The uninstall deletes the product's files right after stopping it, so the stop has to be
// complete by then, not merely requested; and the product may be a program of either
// architecture, which the installer (a 32-bit program on 64-bit Windows) must find and stop.
TEST(SystemPlatform, StoppingAProgramReturnsOnlyOnceItHasEndedWhateverItsArchitecture) {
    struct Case {
        std::string program;
        std::string imageName;  // as the stop is asked for it, in another letter case
        bool mustRun;           // the other architecture needs a host that runs it
    };
    for (const Case& c : {Case{WindowsPathOf(VS_PRODUCT_PROGRAM), "vantorfenwix.EXE", true},
                          Case{OtherArchitectureNotepad(), "NOTEPAD.exe", false}}) {
        SCOPED_TRACE(c.program);
        if (c.program.empty()) continue;  // a 32-bit Windows
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION process{};
        const bool started = CreateProcessA(c.program.c_str(), nullptr, nullptr, nullptr, FALSE, 0,
                                            nullptr, nullptr, &startup, &process);
        if (started) WaitForInputIdle(process.hProcess, 10000);
        if (!started || WaitForSingleObject(process.hProcess, 0) == WAIT_OBJECT_0) {
            EXPECT_FALSE(c.mustRun) << "the program did not start or did not stay";
            std::printf("skipped: %s does not run on this host\n", c.program.c_str());
            if (started) {
                CloseHandle(process.hThread);
                CloseHandle(process.hProcess);
            }
            continue;
        }

        EXPECT_EQ(inst::SystemSetupPlatform().StopProcessNamed(c.imageName),
                  inst::StopResult::kStopped);

        EXPECT_EQ(WaitForSingleObject(process.hProcess, 0), static_cast<DWORD>(WAIT_OBJECT_0))
            << "the program still runs when the stop returns";
        TerminateProcess(process.hProcess, 0);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
}

TEST(SystemPlatform, StoppingAProductThatIsNotRunningReturnsAtOnce) {
    const DWORD start = GetTickCount();
    EXPECT_EQ(inst::SystemSetupPlatform().StopProcessNamed("NoSuchProduct-4711.exe"),
              inst::StopResult::kNotRunning);
    EXPECT_LT(GetTickCount() - start, 3000u);
}

}  // namespace

// The program's own file name and folder, also when it runs as uninstall.exe in a folder Tools.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include <gtest/gtest.h>

#include "runtime/program_identity.h"

namespace rt {
namespace {

std::string ModulePath() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    return path;
}

TEST(ProgramIdentity, NameAndFolderOfTheRunningProgram) {
    const std::string path = ModulePath();
    EXPECT_EQ("runtime_win32_test.exe", OwnFileName());
    EXPECT_EQ(path.substr(0, path.rfind('\\')), OwnDirectory());
    EXPECT_NE('\\', OwnDirectory().back());
}

// Run in a child process (see below): writes the names it sees into the file given by
// VS_IDENTITY_OUT.
TEST(IdentityProbe, WritesOwnNames) {
    const char* out = std::getenv("VS_IDENTITY_OUT");
    if (!out) GTEST_SKIP() << "only run as a child of RunsAsUninstallExeInTools";
    std::ofstream(out) << OwnFileName() << '\n' << OwnDirectory() << '\n';
}

TEST(ProgramIdentity, RunsAsUninstallExeInTools) {
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    const std::string base =
        std::string(temp) + "vs-identity-" + std::to_string(GetCurrentProcessId());
    const std::string tools = base + "\\Tools";
    const std::string program = tools + "\\uninstall.exe";
    const std::string result = base + "\\names.txt";
    CreateDirectoryA(base.c_str(), nullptr);
    CreateDirectoryA(tools.c_str(), nullptr);
    ASSERT_TRUE(CopyFileA(ModulePath().c_str(), program.c_str(), FALSE));

    SetEnvironmentVariableA("VS_IDENTITY_OUT", result.c_str());
    std::string commandLine = "\"" + program + "\" --gtest_filter=IdentityProbe.WritesOwnNames";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    const BOOL started = CreateProcessA(program.c_str(), commandLine.data(), nullptr, nullptr,
                                        FALSE, 0, nullptr, nullptr, &startup, &process);
    SetEnvironmentVariableA("VS_IDENTITY_OUT", nullptr);
    ASSERT_TRUE(started);
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(process.hProcess, 60000));
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);

    std::ifstream in(result);
    std::string name, directory;
    std::getline(in, name);
    std::getline(in, directory);
    in.close();
    EXPECT_EQ("uninstall.exe", name);
    EXPECT_EQ(tools, directory);

    DeleteFileA(result.c_str());
    DeleteFileA(program.c_str());
    RemoveDirectoryA(tools.c_str());
    RemoveDirectoryA(base.c_str());
}

TEST(ProgramIdentity, SeedRandomGivesTheSequenceOfThatSeed) {
    SeedRandom(1234);
    const int first = std::rand(), second = std::rand();
    std::srand(1234);
    EXPECT_EQ(first, std::rand());
    EXPECT_EQ(second, std::rand());
}

}  // namespace
}  // namespace rt

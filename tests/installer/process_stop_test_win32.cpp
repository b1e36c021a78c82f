// Finds programs of our own by image name in the system's process snapshot and stops them. Under
// Wine this also shows that stopping does not end the caller.
#include <windows.h>

#include <algorithm>
#include <iostream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "installer/process_control.h"
#include "installer/process_name_match.h"

namespace {

constexpr const char* kTargetName = "VsStopTarget.exe";

std::string OwnPath() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    return path;
}

std::string FileNameOf(const std::string& path) {
    return path.substr(path.rfind('\\') + 1);
}

class StopTargets : public ::testing::Test {
  protected:
    void TearDown() override {
        for (PROCESS_INFORMATION& started : started_) {
            TerminateProcess(started.hProcess, 0);
            WaitForSingleObject(started.hProcess, 5000);
            CloseHandle(started.hProcess);
            CloseHandle(started.hThread);
        }
    }

    // Starts the waiting program and returns once the snapshot lists it.
    const PROCESS_INFORMATION& StartTarget() {
        std::string path = OwnPath();
        path = path.substr(0, path.rfind('\\') + 1) + kTargetName;
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION started{};
        // No console of its own: a console host started for it would hold the test output open.
        EXPECT_TRUE(CreateProcessA(path.c_str(), nullptr, nullptr, nullptr, FALSE, DETACHED_PROCESS,
                                   nullptr, nullptr, &startup, &started))
            << path;
        started_.push_back(started);
        for (int i = 0; i < 100 && !IsListed(started.dwProcessId); ++i)
            Sleep(50);
        return started_.back();
    }

    static bool IsListed(DWORD processId) {
        std::vector<inst::ProcessEntry> processes;
        inst::EnumerateProcesses(processes);
        return std::any_of(processes.begin(), processes.end(), [&](const auto& process) {
            return process.processId == processId &&
                   inst::LowerImageName(process.imageName) == inst::LowerImageName(kTargetName);
        });
    }

    static bool IsRunning(HANDLE process) {
        return WaitForSingleObject(process, 0) == WAIT_TIMEOUT;
    }

    std::vector<PROCESS_INFORMATION> started_;
};

TEST_F(StopTargets, SnapshotListsThisProcessAndTheTarget) {
    const DWORD target = StartTarget().dwProcessId;
    std::vector<inst::ProcessEntry> processes{{1, "stale"}};
    const int count = inst::EnumerateProcesses(processes);
    EXPECT_EQ(count, static_cast<int>(processes.size()));
    ASSERT_GT(count, 1);
    std::string ownName, targetName;
    for (const auto& process : processes) {
        if (process.processId == GetCurrentProcessId()) ownName = process.imageName;
        if (process.processId == target) targetName = process.imageName;
        EXPECT_NE(process.imageName, "stale");
        if (process.processId == 0) std::cout << "id 0 is listed as: " << process.imageName << "\n";
    }
    EXPECT_EQ(inst::LowerImageName(ownName), inst::LowerImageName(FileNameOf(OwnPath())));
    EXPECT_EQ(targetName, kTargetName);
}

TEST_F(StopTargets, FoundInAnyLetterCaseAndStoppedWhileTheCallerGoesOn) {
    const PROCESS_INFORMATION& target = StartTarget();
    const std::uint32_t found = inst::FindProcessIdByName("VSSTOPTARGET.exe");
    ASSERT_EQ(found, target.dwProcessId);

    inst::StopProcessById(found);
    ASSERT_EQ(WaitForSingleObject(target.hProcess, 10000), WAIT_OBJECT_0);
    DWORD exitCode = 0;
    GetExitCodeProcess(target.hProcess, &exitCode);
    EXPECT_EQ(exitCode, static_cast<DWORD>(STILL_ACTIVE));  // ended with the code it had
    bool gone = false;
    for (int i = 0; i < 40 && !gone; ++i, Sleep(50))
        gone = inst::FindProcessIdByName(kTargetName) == 0;
    EXPECT_TRUE(gone);
}

TEST_F(StopTargets, OfTwoWithTheSameNameTheFirstReportedIsStopped) {
    const PROCESS_INFORMATION first = StartTarget();
    const PROCESS_INFORMATION second = StartTarget();
    std::vector<inst::ProcessEntry> processes;
    inst::EnumerateProcesses(processes);
    const auto reported = std::find_if(processes.begin(), processes.end(), [&](const auto& p) {
        return p.processId == first.dwProcessId || p.processId == second.dwProcessId;
    });
    ASSERT_NE(reported, processes.end());
    const bool firstIsReportedFirst = reported->processId == first.dwProcessId;
    const PROCESS_INFORMATION& stopped = firstIsReportedFirst ? first : second;
    const PROCESS_INFORMATION& kept = firstIsReportedFirst ? second : first;

    const std::uint32_t found = inst::FindProcessIdByName(kTargetName);
    EXPECT_EQ(found, stopped.dwProcessId);
    inst::StopProcessById(found);
    EXPECT_EQ(WaitForSingleObject(stopped.hProcess, 10000), WAIT_OBJECT_0);
    Sleep(300);
    EXPECT_TRUE(IsRunning(kept.hProcess));
}

TEST_F(StopTargets, NoMatchStopsNothing) {
    const PROCESS_INFORMATION& target = StartTarget();
    const std::uint32_t found = inst::FindProcessIdByName("VsNoSuchProgram.exe");
    EXPECT_EQ(found, 0u);
    inst::StopProcessById(found);
    Sleep(300);
    EXPECT_TRUE(IsRunning(target.hProcess));
}

}  // namespace

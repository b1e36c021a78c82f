// A program started by a test or the driver, ended by its destructor if still running.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace e2e {

class LaunchedProcess {
public:
    // Starts `exePath` with `arguments` in `workingDirectory` (empty: the caller's).
    static std::optional<LaunchedProcess> Start(const std::string& exePath,
                                                const std::string& arguments = {},
                                                const std::string& workingDirectory = {});
    LaunchedProcess(LaunchedProcess&& other) noexcept;
    LaunchedProcess& operator=(LaunchedProcess&& other) noexcept;
    LaunchedProcess(const LaunchedProcess&) = delete;
    LaunchedProcess& operator=(const LaunchedProcess&) = delete;
    ~LaunchedProcess();

    DWORD Id() const { return processId_; }
    HANDLE Handle() const { return process_; }

    // The exit code, or nothing when the process is still running after `timeoutMs`.
    std::optional<DWORD> WaitForExit(int timeoutMs);

private:
    LaunchedProcess(HANDLE process, DWORD processId) : process_(process), processId_(processId) {}

    HANDLE process_ = nullptr;
    DWORD processId_ = 0;
};

}  // namespace e2e

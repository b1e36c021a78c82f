#include "tools/uidriver/launched_process.h"

#include <cstdio>
#include <utility>
#include <vector>

namespace e2e {

std::optional<LaunchedProcess> LaunchedProcess::Start(const std::string& exePath,
                                                      const std::string& arguments,
                                                      const std::string& workingDirectory) {
    std::string commandLine = "\"" + exePath + "\"";
    if (!arguments.empty()) commandLine += " " + arguments;
    std::vector<char> mutableLine(commandLine.begin(), commandLine.end());
    mutableLine.push_back('\0');
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    const auto create = [&] {
        return CreateProcessA(exePath.c_str(), mutableLine.data(), nullptr, nullptr, FALSE, 0,
                              nullptr,
                              workingDirectory.empty() ? nullptr : workingDirectory.c_str(),
                              &startup, &info) != FALSE;
    };
    // Under Wine on a busy machine a start now and then fails for want of the server's answer;
    // a program that is not there is not tried again.
    bool started = create();
    for (int attempt = 1; !started && attempt < 3; ++attempt) {
        const DWORD error = GetLastError();
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ||
            error == ERROR_BAD_EXE_FORMAT)
            break;
        std::fprintf(stderr, "starting %s failed (error %lu), trying again\n", exePath.c_str(),
                     static_cast<unsigned long>(error));
        Sleep(1000);
        started = create();
    }
    if (!started) return std::nullopt;
    CloseHandle(info.hThread);
    return LaunchedProcess(info.hProcess, info.dwProcessId);
}

LaunchedProcess::LaunchedProcess(LaunchedProcess&& other) noexcept
    : process_(std::exchange(other.process_, nullptr)),
      processId_(std::exchange(other.processId_, 0)) {}

LaunchedProcess& LaunchedProcess::operator=(LaunchedProcess&& other) noexcept {
    if (this != &other) {
        this->~LaunchedProcess();
        process_ = std::exchange(other.process_, nullptr);
        processId_ = std::exchange(other.processId_, 0);
    }
    return *this;
}

LaunchedProcess::~LaunchedProcess() {
    if (process_ == nullptr) return;
    // A test that failed half-way must not leave its program waiting on the display.
    if (WaitForSingleObject(process_, 0) == WAIT_TIMEOUT) {
        TerminateProcess(process_, 1);
        WaitForSingleObject(process_, 5000);
    }
    CloseHandle(process_);
}

std::optional<DWORD> LaunchedProcess::WaitForExit(int timeoutMs) {
    if (WaitForSingleObject(process_, static_cast<DWORD>(timeoutMs)) != WAIT_OBJECT_0) {
        return std::nullopt;
    }
    DWORD code = 0;
    GetExitCodeProcess(process_, &code);
    return code;
}

}  // namespace e2e

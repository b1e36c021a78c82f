// Native stand-ins of the process snapshot and stop: processes from /proc in id order, named by
// the file name of their executable; stopping sends SIGKILL, as ending a process there is final.
#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>

#include "installer/process_control.h"

namespace inst {
namespace {

rt::TextValue ImageNameOf(const std::filesystem::path& processFolder) {
    std::error_code error;
    const std::filesystem::path executable =
        std::filesystem::read_symlink(processFolder / "exe", error);
    if (!error) return executable.filename().string();
    std::ifstream comm(processFolder / "comm");
    std::string name;
    std::getline(comm, name);
    return name;
}

}  // namespace

int EnumerateProcesses(std::vector<ProcessEntry>& processes) {
    processes.clear();
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator("/proc", error)) {
        const std::string folder = entry.path().filename().string();
        std::uint32_t id = 0;
        const auto [end, failure] =
            std::from_chars(folder.data(), folder.data() + folder.size(), id);
        if (failure != std::errc() || end != folder.data() + folder.size()) continue;
        processes.push_back({id, ImageNameOf(entry.path())});
    }
    std::sort(processes.begin(), processes.end(), [](const ProcessEntry& a, const ProcessEntry& b) {
        return a.processId < b.processId;
    });
    return static_cast<int>(processes.size());
}

void StopProcessById(std::uint32_t processId) {
    if (processId == 0) return;
    kill(static_cast<pid_t>(processId), SIGKILL);
}

}  // namespace inst

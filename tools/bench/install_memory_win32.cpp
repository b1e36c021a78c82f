// install_memory <program> [arguments...]: starts the program, waits for it to end and prints
// its exit code and memory peaks, one "name value" line each, for tools/bench/install_memory.sh.
//
// Windows keeps a process's peaks after it ends, while its handle is open. Wine computes them
// from the live Unix process and may report nothing for an ended one, so the counters are also
// sampled every few milliseconds while it runs and the highest sample is printed beside them.
#include <windows.h>
// psapi.h needs windows.h first.
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <string>

namespace {

constexpr DWORD kSampleMs = 2;

struct MemoryPeaks {
    SIZE_T workingSet = 0;  // PeakWorkingSetSize: pages resident, shared ones included
    SIZE_T pagefile = 0;    // PeakPagefileUsage: private bytes committed
    SIZE_T sampledWorkingSet = 0;
    SIZE_T sampledPrivate = 0;
};

void Sample(HANDLE process, MemoryPeaks& peaks) {
    PROCESS_MEMORY_COUNTERS_EX counters{};
    counters.cb = sizeof counters;
    if (!GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                              sizeof counters))
        return;
    peaks.workingSet = std::max(peaks.workingSet, counters.PeakWorkingSetSize);
    peaks.pagefile = std::max(peaks.pagefile, counters.PeakPagefileUsage);
    peaks.sampledWorkingSet = std::max(peaks.sampledWorkingSet, counters.WorkingSetSize);
    peaks.sampledPrivate = std::max(peaks.sampledPrivate, counters.PrivateUsage);
}

// The command line: every argument quoted, inner quotes left as they are (the bench passes none).
std::string CommandLine(int argc, char** argv) {
    std::string line;
    for (int i = 1; i < argc; ++i) {
        if (i > 1) line += ' ';
        line += '"' + std::string(argv[i]) + '"';
    }
    return line;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fputs("usage: install_memory <program> [arguments...]\n", stderr);
        return 2;
    }
    std::string command = CommandLine(argc, argv);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
        std::fprintf(stderr, "install_memory: cannot start %s (error %lu)\n", argv[1],
                     GetLastError());
        return 1;
    }
    CloseHandle(process.hThread);
    MemoryPeaks peaks;
    while (WaitForSingleObject(process.hProcess, kSampleMs) == WAIT_TIMEOUT)
        Sample(process.hProcess, peaks);
    Sample(process.hProcess, peaks);
    DWORD exitCode = 0;
    GetExitCodeProcess(process.hProcess, &exitCode);
    CloseHandle(process.hProcess);
    std::printf("exit_code %lu\n", exitCode);
    std::printf("peak_working_set %llu\n", static_cast<unsigned long long>(peaks.workingSet));
    std::printf("peak_pagefile %llu\n", static_cast<unsigned long long>(peaks.pagefile));
    std::printf("sampled_working_set %llu\n",
                static_cast<unsigned long long>(peaks.sampledWorkingSet));
    std::printf("sampled_private %llu\n", static_cast<unsigned long long>(peaks.sampledPrivate));
    return 0;
}

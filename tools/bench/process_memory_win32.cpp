#include <windows.h>
// psapi.h needs windows.h first.
#include <psapi.h>

#include "tools/bench/process_memory.h"

namespace bench {

namespace {

PROCESS_MEMORY_COUNTERS Counters() {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
    return counters;
}

}  // namespace

std::uint64_t ResidentBytes() {
    return Counters().WorkingSetSize;
}

std::uint64_t PeakResidentBytes() {
    return Counters().PeakWorkingSetSize;
}

bool ResetPeak() {
    return false;
}

}  // namespace bench

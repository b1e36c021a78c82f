#include <fstream>
#include <string>

#include "tools/bench/process_memory.h"

namespace bench {

namespace {

// A "Name:   123 kB" line of /proc/self/status, in bytes.
std::uint64_t StatusValue(const std::string& name) {
    std::ifstream status("/proc/self/status");
    std::string key;
    while (status >> key) {
        if (key == name + ":") {
            std::uint64_t kilobytes = 0;
            status >> kilobytes;
            return kilobytes * 1024;
        }
        status.ignore(1 << 16, '\n');
    }
    return 0;
}

}  // namespace

std::uint64_t ResidentBytes() {
    return StatusValue("VmRSS");
}

std::uint64_t PeakResidentBytes() {
    return StatusValue("VmHWM");
}

bool ResetPeak() {
    std::ofstream clear("/proc/self/clear_refs");
    clear << "5";  // resets the peak resident set size
    return static_cast<bool>(clear.flush());
}

}  // namespace bench

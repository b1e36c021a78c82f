#include "installer/process_control.h"
#include "installer/process_name_match.h"

namespace inst {

std::uint32_t FindProcessIdByName(const rt::TextValue& imageName) {
    std::vector<ProcessEntry> processes;
    EnumerateProcesses(processes);
    return FindFirstProcessIdNamed(processes, imageName);
}

}  // namespace inst

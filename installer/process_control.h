// Stopping running instances of the product by image name, before its files are deleted.
#pragma once

#include <cstdint>
#include <vector>

#include "installer/process_entry.h"
#include "runtime/value_types.h"

namespace inst {

// Replaces `processes` with a fresh snapshot of all processes; returns their number (0 when the
// system could not be asked).
int EnumerateProcesses(std::vector<ProcessEntry>& processes);

// Id of the first process, in snapshot order, whose image name equals `imageName` with ASCII
// letters in any case; 0 when there is none.
std::uint32_t FindProcessIdByName(const rt::TextValue& imageName);

// Asks the system to end the process; returns at once without waiting. Id 0 stops nothing,
// and failures (already gone, access denied) are ignored.
void StopProcessById(std::uint32_t processId);

}  // namespace inst

// Running out of memory is not a result callers handle: the program says so and ends.
#pragma once

namespace rt {

// Makes a failed `new` show "内存不足" titled "error" and end the program with the fault exit
// code (program_end.h). Allocations whose failure is a result go through checked_allocation.h.
void InstallOutOfMemoryHandler();

// The same ending, for code that gets memory from the system directly (GlobalAlloc and such).
[[noreturn]] void ReportOutOfMemory();

}  // namespace rt

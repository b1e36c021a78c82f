#include "runtime/out_of_memory.h"

#include <atomic>
#include <new>

#include "runtime/program_end.h"
#include "runtime/system_message_box.h"

namespace rt {

void ReportOutOfMemory() {
    // A second failure while the box is up must not show another box (or recurse): just end.
    static std::atomic<bool> reporting{false};
    if (!reporting.exchange(true)) {
        // Both texts fit a string's inline buffer, so showing them needs no further memory.
        SystemMessageBox("内存不足", "error", kBoxIconError);
    }
    EndProgramAfterFault();
}

void InstallOutOfMemoryHandler() {
    std::set_new_handler([] { ReportOutOfMemory(); });
}

}  // namespace rt

// Ending a process by id. Windows asks the window-station server to end it. Wine's window-station
// library only has a stub for that call which ends the caller instead, so there the process is
// ended directly through its handle.
#include <cstdint>

#include "installer/process_control.h"
#include "runtime/dll_calls_win32.h"

namespace inst {
namespace {

// Only Wine's ntdll exports wine_get_version.
bool IsRunningUnderWine() {
    static const bool underWine = [] {
        HMODULE ntdll = GetModuleHandleA("ntdll.dll");
        return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
    }();
    return underWine;
}

}  // namespace

void StopProcessById(std::uint32_t processId) {
    if (processId == 0) return;
    HANDLE process = OpenProcess(PROCESS_ALL_ACCESS, FALSE, processId);
    // STILL_ACTIVE for a running process: the process is ended with that code.
    DWORD exitCode = 0;
    if (process != nullptr) rt::dll::GetExitCodeProcess(process, &exitCode);
    if (IsRunningUnderWine()) {
        if (process != nullptr) TerminateProcess(process, exitCode);
    } else {
        rt::dll::WinStationTerminateProcess(nullptr, processId, exitCode);
    }
    if (process != nullptr) CloseHandle(process);
}

}  // namespace inst

// A small program that meets the runtime's fatal paths on request, so the end-to-end tests can
// watch what a person would see:
//   runtime_probe missing-library | missing-function | array-index-0 | array-index-past-end
//                 | out-of-memory
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <limits>
#include <new>

#include "runtime/checked_array.h"
#include "runtime/dll_calls_win32.h"
#include "runtime/out_of_memory.h"
#include "runtime/program_end.h"

namespace {

rt::DllCallSlot<int WINAPI(int)> g_missingLibrary{"VsNoSuchLibrary.dll", "Anything"};
rt::DllCallSlot<int WINAPI(int)> g_missingFunction{"user32", "VsNoSuchFunction@@4"};

int ReadElement(int index) {
    rt::CheckedArray<int> values{10, 20, 30};
    return values.At(index);
}

// Half the address space: no process, 32-bit or 64-bit, can have it, so the allocation fails at
// once instead of after the machine's memory is gone.
void ExhaustMemory() {
    volatile std::size_t huge = std::numeric_limits<std::size_t>::max() / 2 - 16;
    char* block = new char[huge];
    std::printf("allocated %p\n", static_cast<void*>(block));
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int) {
    rt::InstallOutOfMemoryHandler();
    const char* what = commandLine;
    if (std::strcmp(what, "missing-library") == 0) g_missingLibrary(1);
    if (std::strcmp(what, "missing-function") == 0) g_missingFunction(1);
    if (std::strcmp(what, "array-index-0") == 0) ReadElement(0);
    if (std::strcmp(what, "array-index-past-end") == 0) ReadElement(4);
    if (std::strcmp(what, "out-of-memory") == 0) ExhaustMemory();
    // Reaching this point means the fault did not end the program: say so by the exit code.
    rt::EndProgram(3);
}

// A small program that meets the runtime's fatal paths on request, so the end-to-end tests can
// watch what a person would see:
//   runtime_probe missing-library | missing-function | array-index-0 | array-index-past-end
//                 | out-of-memory
#include <windows.h>

#include <cstring>
#include <new>
#include <vector>

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

void ExhaustMemory() {
    std::vector<char*> blocks;
    for (;;) blocks.push_back(new char[64 * 1024 * 1024]);
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

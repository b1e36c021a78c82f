#include <windows.h>

#include <cstdio>

#include "runtime/program_end.h"

namespace rt {

void EndProgram(int exitCode) {
    RunShutdownSteps();
    std::fflush(nullptr);
    ExitProcess(static_cast<UINT>(exitCode));
}

}  // namespace rt

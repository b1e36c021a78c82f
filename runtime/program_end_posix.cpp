#include <cstdio>
#include <cstdlib>

#include "runtime/program_end.h"

namespace rt {

void EndProgram(int exitCode) {
    RunShutdownSteps();
    std::fflush(nullptr);
    std::_Exit(exitCode);
}

}  // namespace rt

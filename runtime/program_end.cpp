#include "runtime/program_end.h"

#include <atomic>

namespace rt {
namespace {

std::atomic<ShutdownStep> gEndCallback{nullptr};
std::atomic<ShutdownStep> gLibraryRelease{nullptr};
std::atomic<int> gFaultExitCode{0};

void RunOnce(std::atomic<ShutdownStep>& slot) {
    if (ShutdownStep step = slot.exchange(nullptr)) step();
}

}  // namespace

void SetEndCallback(ShutdownStep callback) {
    gEndCallback = callback;
}
void SetLibraryRelease(ShutdownStep release) {
    gLibraryRelease = release;
}

void SetFaultExitCode(int exitCode) {
    gFaultExitCode = exitCode;
}
int FaultExitCode() {
    return gFaultExitCode;
}

void EndProgramAfterFault() {
    EndProgram(gFaultExitCode);
}

void RunShutdownSteps() {
    RunOnce(gEndCallback);
    RunOnce(gLibraryRelease);
}

}  // namespace rt

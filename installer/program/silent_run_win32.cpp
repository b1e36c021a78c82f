#include <objbase.h>
#include <windows.h>

#include "installer/install.h"
#include "installer/install_system_platform.h"
#include "installer/program/run_log.h"
#include "installer/program/silent_run.h"
#include "installer/program_command_line.h"
#include "installer/program_log.h"
#include "installer/setup_exit_codes.h"
#include "installer/silent_setup.h"
#include "runtime/program_end.h"
#include "runtime/system_message_box.h"

namespace inst {
namespace {

// Nothing of a silent run calls for a box; what still asks for one is a fault of the program
// (a runtime error, no memory, a missing library), which then ends it with kExitFault. The
// system's own boxes (no disk in a drive, a crash) do not appear either.
void KeepBoxesAway() {
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX | SEM_NOOPENFILEERRORBOX);
    rt::SetFaultExitCode(kExitFault);
    rt::SetMessageBoxHandler(
        [](const rt::TextValue& text, const rt::TextValue& title, unsigned style) {
            ProgramLog().Failure("program", title, text + " (a fault of the program: it ends)",
                                 FailureKind::kUncounted);
            LogRunEnd(kExitFault);
            return rt::DefaultButtonOf(style);
        });
}

int RunAsked(RunMode mode, const SetupCommandLine& command) {
    if (mode == RunMode::Uninstaller)
        return RunSilentUninstall(command, SystemSetupPlatform(), ProgramLog());
    // The shortcuts are written through COM.
    CoInitialize(nullptr);
    const int exitCode =
        RunSilentInstall(command, SystemSetupPlatform(), ProgramPayload(), ProgramLog());
    CoUninitialize();
    return exitCode;
}

}  // namespace

int RunSilently(RunMode mode) {
    KeepBoxesAway();
    const SetupCommandLine& command = ProgramCommandLine();
    // A log that was asked for and cannot be written is a bad switch; nothing else is done.
    if (command.switches.logPath && !StartProgramLogFile(*command.switches.logPath))
        return kExitBadSwitches;
    LogRunStart(mode, command);
    const int exitCode = RunAsked(mode, command);
    LogRunEnd(exitCode);
    return exitCode;
}

}  // namespace inst

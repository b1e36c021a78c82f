#include <objbase.h>
#include <windows.h>

#include "installer/install.h"
#include "installer/install_system_platform.h"
#include "installer/program_command_line.h"
#include "installer/program_log.h"
#include "installer/setup_exit_codes.h"
#include "installer/silent_setup.h"
#include "program/run_log.h"
#include "program/silent_run.h"
#include "runtime/dll_calls_win32.h"
#include "runtime/program_end.h"
#include "runtime/system_message_box.h"

namespace prog {
namespace {

// Nothing of a silent run calls for a box; what still asks for one is a fault of the program
// (a runtime error, no memory, a missing library), which then ends it with kExitFault. The
// system's own boxes (no disk in a drive, a crash) do not appear either.
void KeepBoxesAway() {
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX | SEM_NOOPENFILEERRORBOX);
    rt::SetFaultExitCode(inst::kExitFault);
    rt::SetMessageBoxHandler([](const rt::TextValue& text, const rt::TextValue& title,
                                unsigned style) {
        inst::ProgramLog().Failure("program", title, text + " (a fault of the program: it ends)",
                                   inst::FailureKind::kUncounted);
        LogRunEnd(inst::kExitFault);
        return rt::DefaultButtonOf(style);
    });
}

int RunAsked(inst::RunMode mode, const inst::SetupCommandLine& command) {
    if (mode == inst::RunMode::Uninstaller)
        return inst::RunSilentUninstall(command, inst::SystemSetupPlatform(), inst::ProgramLog());
    // The shortcuts are written through COM.
    rt::dll::CoInitialize(nullptr);
    const int exitCode = inst::RunSilentInstall(command, inst::SystemSetupPlatform(),
                                                inst::ProgramPayload(), inst::ProgramLog());
    rt::dll::CoUninitialize();
    return exitCode;
}

}  // namespace

int RunSilently(inst::RunMode mode) {
    KeepBoxesAway();
    const inst::SetupCommandLine& command = inst::ProgramCommandLine();
    // A log that was asked for and cannot be written is a bad switch; nothing else is done.
    if (command.switches.logPath && !inst::StartProgramLogFile(*command.switches.logPath))
        return inst::kExitBadSwitches;
    LogRunStart(mode, command);
    const int exitCode = RunAsked(mode, command);
    LogRunEnd(exitCode);
    return exitCode;
}

}  // namespace prog

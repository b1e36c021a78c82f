#include "program/startup.h"

#include <objbase.h>
#include <windows.h>

#include "installer/install_layout.h"
#include "installer/program_command_line.h"
#include "installer/program_log.h"
#include "installer/run_mode.h"
#include "installer/uninstall.h"
#include "program/run_log.h"
#include "program/silent_run.h"
#include "runtime/dll_calls_win32.h"
#include "runtime/program_identity.h"
#include "runtime/show_message.h"
#include "runtime/tagged_value.h"
#include "wizard/wizard_identity.h"
#include "wizard/wizard_window.h"

namespace prog {
namespace {

// Shown, restored if minimised and put in front, with exactly these calls in this order.
void BringToFront(HWND window) {
    ShowWindow(window, SW_SHOW);
    ShowWindow(window, SW_SHOWNORMAL);
    ShowWindow(window, SW_RESTORE);
    rt::dll::BringWindowToTop(window);
    rt::dll::SetForegroundWindow(window);
}

void RunInstaller() {
    rt::dll::CoInitialize(nullptr);
    HWND open = rt::dll::FindWindowA(wiz::kWizardClassName, wiz::kWizardTitle);
    if (open != nullptr) {
        // The open wizard owns the installation; COM stays as it is, the process just ends.
        inst::ProgramLog().Note("a setup wizard is open already: brought to the front");
        BringToFront(open);
        return;
    }
    wiz::CreateWizardWindow();
    rt::dll::CoUninitialize();
}

void RunUninstaller() {
    const int answer =
        rt::ShowMessage(rt::TaggedValue::Text(inst::kUninstallQuestion), MB_YESNO | MB_ICONQUESTION,
                        rt::TextValue(inst::kUninstallTitle));
    inst::ProgramLog().Message(inst::kUninstallTitle, inst::kUninstallQuestion, answer);
    if (answer == rt::kResultYes) inst::RunUninstall();
}

// A log asked for by /LOG= records a run with a window too; one that cannot be written is
// left out, as the other switches a run with a window does not understand.
void StartLogIfAsked(inst::RunMode mode, const inst::SetupCommandLine& command) {
    if (!command.switches.logPath || !inst::StartProgramLogFile(*command.switches.logPath)) return;
    LogRunStart(mode, command);
}

}  // namespace

int RunStartup() {
    rt::SeedRandom();
    const inst::RunMode mode = inst::ChooseRunMode(rt::OwnFileName());
    const inst::SetupCommandLine& command = inst::ProgramCommandLine();
    if (command.switches.silent) return RunSilently(mode);
    StartLogIfAsked(mode, command);
    if (mode == inst::RunMode::Uninstaller) {
        RunUninstaller();
    } else {
        RunInstaller();
    }
    LogRunEnd(0);
    return 0;
}

}  // namespace prog

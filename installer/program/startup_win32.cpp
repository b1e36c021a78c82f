#include "installer/program/startup.h"

#include <windows.h>
#include <objbase.h>

#include "installer/run_mode.h"
#include "installer/uninstall.h"
#include "runtime/dll_calls_win32.h"
#include "runtime/program_identity.h"
#include "runtime/show_message.h"
#include "runtime/tagged_value.h"
#include "wizard/wizard_identity.h"
#include "wizard/wizard_window.h"

namespace inst {
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
    CoInitialize(nullptr);
    HWND open = rt::dll::FindWindowA(wiz::kWizardClassName, wiz::kWizardTitle);
    if (open != nullptr) {
        // The open wizard owns the installation; COM stays as it is, the process just ends.
        BringToFront(open);
        return;
    }
    wiz::CreateWizardWindow();
    CoUninitialize();
}

void RunUninstaller() {
    const int answer = rt::ShowMessage(rt::TaggedValue::Text(kUninstallQuestion),
                                       MB_YESNO | MB_ICONQUESTION, rt::TextValue(kUninstallTitle));
    if (answer == rt::kResultYes) RunUninstall();
}

}  // namespace

int RunStartup() {
    rt::SeedRandom();
    if (ChooseRunMode(rt::OwnFileName()) == RunMode::Uninstaller) {
        RunUninstaller();
    } else {
        RunInstaller();
    }
    return 0;
}

}  // namespace inst

#include "wizard/wizard_front_end.h"

#include "wizard/interim_parts.h"
#include "wizard/wizard_window.h"

namespace wiz {

int ShowWizardMessage(HWND owner, const rt::TextValue& text, int buttons, int icon,
                      bool centreOverOwner, const rt::TextValue& title) {
    (void)centreOverOwner;
    return interim::ShowMessageBox(owner, text, title, buttons, icon);
}

int WizardFrontEnd::ShowInstallMessage(const rt::TextValue& text, const rt::TextValue& title,
                                       int buttons, int icon, bool centreOverOwner) {
    return ShowWizardMessage(wizard_.Window(), text, buttons, icon, centreOverOwner, title);
}

void WizardFrontEnd::SetInstallPath(const rt::TextValue& path) {
    wizard_.Page().SetInstallPath(path);
}

void WizardFrontEnd::CloseWizard() {
    wizard_.Close();
}

}  // namespace wiz

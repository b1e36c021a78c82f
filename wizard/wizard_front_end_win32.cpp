#include "wizard/wizard_front_end.h"

#include "toolkit/controls/message_box.h"
#include "wizard/wizard_window.h"

namespace wiz {

int ShowWizardMessage(HWND owner, const rt::TextValue& text, int buttons, int icon,
                      bool centreOverOwner, const rt::TextValue& title) {
    return ui::ToolkitMessageBox(owner, text,
                                 {.buttons = static_cast<ui::MessageButtons>(buttons),
                                  .title = title,
                                  .icon = static_cast<ui::MessageIcon>(icon),
                                  .centreOnOwner = centreOverOwner});
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

void WizardFrontEnd::ShowProgress(std::uint64_t done, std::uint64_t total) {
    wizard_.ShowProgress(done, total);
}

}  // namespace wiz

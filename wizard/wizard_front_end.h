// What the install procedure sees of the wizard: the toolkit's message box over the wizard's
// window, the directory box, and the wizard's close.
#pragma once

#include <windows.h>

#include "installer/install_front_end.h"
#include "wizard/wizard_identity.h"

namespace wiz {

class WizardWindow;

// The toolkit's message box owned by `owner`, with MessageBoxA-style button and icon codes;
// returns the pressed button as a MessageBoxResult.
int ShowWizardMessage(HWND owner, const rt::TextValue& text, int buttons, int icon,
                      bool centreOverOwner, const rt::TextValue& title = kWizardTitle);

class WizardFrontEnd : public inst::InstallFrontEnd {
  public:
    explicit WizardFrontEnd(WizardWindow& wizard) : wizard_(wizard) {}

    int ShowInstallMessage(const rt::TextValue& text, const rt::TextValue& title, int buttons,
                           int icon, bool centreOverOwner) override;
    void SetInstallPath(const rt::TextValue& path) override;
    void CloseWizard() override;
    void ShowProgress(std::uint64_t done, std::uint64_t total) override;

  private:
    WizardWindow& wizard_;
};

}  // namespace wiz

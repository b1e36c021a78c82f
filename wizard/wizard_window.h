// The setup wizard's window. Returns when the wizard's message loop has ended.
#pragma once

namespace wiz {

void CreateWizardWindow();

}  // namespace wiz

// Stand-ins for the toolkit parts that are being finished beside the wizard: the pop-up menu,
// the edit box, the drop shadow, the toolkit's message box and the wizard's thread and loop
// helpers. Each is the least that lets the wizard run and be driven end to end (system menu,
// label, no shadow, system message box, plain thread and loop); each goes as soon as the real
// part is in the tree, and the wizard names only these aliases and functions meanwhile.
#pragma once

#include <windows.h>

#include <string>
#include <utility>
#include <vector>

#include "installer/install_options.h"
#include "installer/install_platform.h"
#include "runtime/value_types.h"
#include "toolkit/core/label.h"

namespace wiz::interim {

// The directory box: shows its text; typing arrives with the toolkit's edit box.
using DirEditElement = ui::Label;

// The title bar's menu: reports the chosen item's id to the owner as WM_COMMAND.
class WizardMenu {
  public:
    void AddItem(int id, std::string text) { items_.emplace_back(id, std::move(text)); }
    // At the mouse; returns when the menu is closed.
    void PopupAt(HWND owner) const;

  private:
    std::vector<std::pair<int, std::string>> items_;
};

// The drop shadow around the wizard's window.
class Shadow {
  public:
    void ShowShadow(HWND) {}
    void HideShadow() {}
};

// A message box owned by `owner` with MessageBoxA's button and icon codes; the pressed button as
// a MessageBoxResult (0 OK ... 5 Yes, 6 No).
int ShowMessageBox(HWND owner, const rt::TextValue& text, const rt::TextValue& title, int buttons,
                   int icon);

// The choices of a first install (the saved ones arrive with the installer's reader of them).
inst::InstallOptions DefaultChoices(inst::SetupPlatform& platform);

// Starts `routine(parameter)` on a thread whose handle is closed at once.
bool StartThread(LPTHREAD_START_ROUTINE routine, void* parameter);

// Dispatches the thread's messages until WM_QUIT.
void RunMessageLoop();

}  // namespace wiz::interim

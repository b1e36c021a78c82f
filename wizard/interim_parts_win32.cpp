#include "wizard/interim_parts.h"

#include "installer/install.h"

namespace wiz::interim {

void WizardMenu::PopupAt(HWND owner) const {
    HMENU menu = CreatePopupMenu();
    for (const auto& [id, text] : items_)
        AppendMenuA(menu, MF_STRING, id, text.c_str());
    POINT mouse{};
    GetCursorPos(&mouse);
    SetForegroundWindow(owner);
    TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_TOPALIGN, mouse.x, mouse.y, 0, owner, nullptr);
    DestroyMenu(menu);
}

int ShowMessageBox(HWND owner, const rt::TextValue& text, const rt::TextValue& title, int buttons,
                   int icon) {
    return MessageBoxA(owner, text.c_str(), title.c_str(), static_cast<UINT>(buttons | icon)) - 1;
}

inst::InstallOptions DefaultChoices(inst::SetupPlatform& platform) {
    inst::InstallOptions choices;
    choices.InstallPath = inst::DefaultInstallDirectory(platform);
    choices.AutoStartup = choices.CreatDesktopShortcut = choices.CreatStartMenuShortcut = true;
    return choices;
}

bool StartThread(LPTHREAD_START_ROUTINE routine, void* parameter) {
    HANDLE thread = CreateThread(nullptr, 0, routine, parameter, 0, nullptr);
    if (!thread) return false;
    CloseHandle(thread);
    return true;
}

void RunMessageLoop() {
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

}  // namespace wiz::interim

#include "wizard/saved_choices_loader.h"

#include <mutex>
#include <utility>

#include "installer/install_system_platform.h"
#include "installer/saved_choices.h"
#include "toolkit/core/exclusive_lock.h"
#include "toolkit/core/message_loops.h"

namespace wiz {
namespace {

ui::ExclusiveLock gMailboxLock;
std::optional<inst::InstallOptions> gMailbox;
HWND gMailboxWindow = nullptr;

DWORD WINAPI LoadSavedChoices(LPVOID) {
    inst::InstallOptions choices = inst::ReadSavedChoices(inst::SystemSetupPlatform());
    HWND window = nullptr;
    {
        std::lock_guard guard(gMailboxLock);
        gMailbox = std::move(choices);
        window = gMailboxWindow;
    }
    if (window) PostMessageW(window, kMsgSavedChoicesLoaded, 0, 0);
    return 0;
}

}  // namespace

bool StartLoadingSavedChoices() {
    return ui::StartThread(&LoadSavedChoices, nullptr);
}

void PostSavedChoicesTo(HWND window) {
    bool loaded = false;
    {
        std::lock_guard guard(gMailboxLock);
        gMailboxWindow = window;
        loaded = gMailbox.has_value();
    }
    if (loaded) PostMessageW(window, kMsgSavedChoicesLoaded, 0, 0);
}

std::optional<inst::InstallOptions> TakeLoadedChoices() {
    std::lock_guard guard(gMailboxLock);
    return std::exchange(gMailbox, std::nullopt);
}

}  // namespace wiz

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

DWORD WINAPI LoadSavedChoices(LPVOID window) {
    inst::InstallOptions choices = inst::ReadSavedChoices(inst::SystemSetupPlatform());
    {
        std::lock_guard guard(gMailboxLock);
        gMailbox = std::move(choices);
    }
    PostMessageW(static_cast<HWND>(window), kMsgSavedChoicesLoaded, 0, 0);
    return 0;
}

}  // namespace

bool StartLoadingSavedChoices(HWND window) {
    return ui::StartThread(&LoadSavedChoices, window);
}

std::optional<inst::InstallOptions> TakeLoadedChoices() {
    std::lock_guard guard(gMailboxLock);
    return std::exchange(gMailbox, std::nullopt);
}

}  // namespace wiz

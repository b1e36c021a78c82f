#include <windows.h>

#include "runtime/message_pump.h"

namespace rt {

bool PumpMessages() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE)) {
        if (message.message == WM_QUIT) return true;
        const BOOL got = GetMessageA(&message, nullptr, 0, 0);
        if (got == 0) {
            // A quit that overtook the peeked message: put it back for the thread's loop.
            PostQuitMessage(static_cast<int>(message.wParam));
            return true;
        }
        if (got < 0) return false;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return false;
}

}  // namespace rt

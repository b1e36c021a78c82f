#include "toolkit/core/message_loops.h"

#include "toolkit/core/element_messages.h"

namespace ui {

namespace {

bool IsKeyboardMessage(UINT message) {
    return message >= 0xFF && message <= WM_KEYLAST;  // WM_INPUT .. WM_KEYLAST
}

bool IsMouseMessage(UINT message) {
    return (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) ||
           (message >= WM_NCMOUSEMOVE && message <= WM_NCXBUTTONDBLCLK);
}

// A default action invoked by a screen reader is a click too: dropped where clicks are.
bool IsInputMessage(UINT message) {
    return IsKeyboardMessage(message) || IsMouseMessage(message) || message == kMsgAccessibleAction;
}

}  // namespace

bool StartThread(LPTHREAD_START_ROUTINE routine, void* parameter, bool keepHandle, HANDLE* handle,
                 DWORD* threadId) {
    DWORD id = 0;
    HANDLE thread = CreateThread(nullptr, 0, routine, parameter, 0, &id);
    if (!thread) return false;
    if (threadId) *threadId = id;
    if (keepHandle && handle) {
        *handle = thread;
    } else {
        CloseHandle(thread);
    }
    return true;
}

int RunMessageLoop(const std::function<void()>& onFirstIdle) {
    MSG message{};
    bool idleSeen = !onFirstIdle;
    // GetMessageW answers -1 only for a bad window filter, and there is none; it still ends
    // the loop rather than spinning.
    while (true) {
        if (!idleSeen && !PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE)) {
            idleSeen = true;
            onFirstIdle();
        }
        if (GetMessageW(&message, nullptr, 0, 0) <= 0) break;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}

bool IsInputForOtherWindow(const MSG& message, HWND modalWindow) {
    if (message.hwnd == modalWindow) return false;
    return IsInputMessage(message.message);
}

void DispatchAllButInput() {
    MSG message{};
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        if (IsInputMessage(message.message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

void DropQueuedInput() {
    MSG message{};
    while (PeekMessageW(&message, nullptr, 0xFF, WM_KEYLAST, PM_REMOVE) ||
           PeekMessageW(&message, nullptr, WM_MOUSEFIRST, WM_MOUSELAST, PM_REMOVE) ||
           PeekMessageW(&message, nullptr, WM_NCMOUSEMOVE, WM_NCXBUTTONDBLCLK, PM_REMOVE) ||
           PeekMessageW(&message, nullptr, kMsgAccessibleAction, kMsgAccessibleAction, PM_REMOVE)) {
    }
}

bool RunModalLoop(HWND window, ModalInputFilter dropInput) {
    MSG message{};
    while (IsWindow(window)) {
        BOOL got = GetMessageW(&message, nullptr, 0, 0);
        if (got == 0) {
            // The quit was meant for the loop outside; taking it here would leave that loop
            // (and the program) running with nothing to end it. The window goes first: left
            // behind, it would stay on screen, topmost and unanswered, until the process ends.
            DestroyWindow(window);
            PostQuitMessage(static_cast<int>(message.wParam));
            return false;
        }
        if (got < 0) return false;
        if (dropInput && dropInput(message, window)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return true;
}

}  // namespace ui

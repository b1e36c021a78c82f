// The wizard's threads and message loops. The window thread runs the wizard's loop and, inside
// it, the modal loops of message boxes; one short-lived worker thread loads the saved choices.
#pragma once

#include <windows.h>

namespace wiz {

// Starts `routine(parameter)` on a new thread (default security and stack). With `keepHandle`
// the thread's handle goes to `*handle` (the caller closes it); otherwise it is closed at once.
// The thread id goes to `*threadId` when given. Returns whether a thread was started.
bool StartThread(LPTHREAD_START_ROUTINE routine, void* parameter = nullptr, bool keepHandle = false,
                 HANDLE* handle = nullptr, DWORD* threadId = nullptr);

// The wizard's loop: dispatches every message of the thread until WM_QUIT and returns the exit
// code it carries.
int RunMessageLoop();

// The loop of a modal window (the message box): runs while `window` exists. Keyboard and mouse
// input aimed at any other window is dropped, so the windows behind cannot be used; all other
// messages are dispatched, so they keep painting and animating. A WM_QUIT ends the loop,
// destroys the window and is posted again for the loop outside, which then ends as well.
void RunModalLoop(HWND window);

// Removes the keyboard and mouse input queued for the thread's windows, unseen: input made for
// what was on screen before a modal window came up must not reach the windows behind it.
void DropQueuedInput();

// Dispatches every message queued for the thread except keyboard and mouse input, which is
// dropped: the thread's windows keep painting while a long task runs inside one of their
// handlers, and no click or key reaches them. A WM_QUIT stays for the loop outside.
void DispatchAllButInput();

// Whether the modal loop of `modalWindow` drops `message`: keyboard or mouse input (client or
// non-client) for another window.
bool IsInputForOtherWindow(const MSG& message, HWND modalWindow);

}  // namespace wiz

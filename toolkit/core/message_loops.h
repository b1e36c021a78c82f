// Threads and message loops: a thread's own loop, the modal loop of a window that blocks its
// caller until it is gone (a message box, a pop-up menu), and the input a modal window keeps
// from the other windows of its thread.
#pragma once

#include <windows.h>

#include <functional>

namespace ui {

// Starts `routine(parameter)` on a new thread (default security and stack). With `keepHandle`
// the thread's handle goes to `*handle` (the caller closes it); otherwise it is closed at once.
// The thread id goes to `*threadId` when given. Returns whether a thread was started.
bool StartThread(LPTHREAD_START_ROUTINE routine, void* parameter = nullptr, bool keepHandle = false,
                 HANDLE* handle = nullptr, DWORD* threadId = nullptr);

// A thread's own loop: dispatches every message of the thread until WM_QUIT and returns the exit
// code it carries. `onFirstIdle`, when given, runs once, the first time the queue is empty: work
// that can wait until the thread's windows have shown what they drew (a windowing system may put
// a frame on the screen only when the thread has nothing left to do).
int RunMessageLoop(const std::function<void()>& onFirstIdle = {});

// Whether the modal loop of `modalWindow` drops `message` unseen.
using ModalInputFilter = bool (*)(const MSG& message, HWND modalWindow);

// The loop of a modal window: runs while `window` exists and dispatches every message of the
// thread, but those `dropInput` (when given) refuses. A WM_QUIT ends the loop, destroys the window
// and is posted again for the loop outside, which then ends as well. Returns false when the loop
// ended otherwise than by the window's going (a quit, or an error of GetMessageW).
bool RunModalLoop(HWND window, ModalInputFilter dropInput = nullptr);

// The filter of a modal window whose thread's other windows must not be used meanwhile:
// keyboard or mouse input (client or non-client) or a screen reader's default action
// (kMsgAccessibleAction) for another window. Everything else reaches them, so they keep
// painting and animating.
bool IsInputForOtherWindow(const MSG& message, HWND modalWindow);

// Removes the keyboard and mouse input (and default actions) queued for the thread's windows,
// unseen: input made for what was on screen before a modal window came up must not reach the
// windows behind it.
void DropQueuedInput();

// Dispatches every message queued for the thread except keyboard and mouse input and screen
// readers' default actions, which are dropped: the thread's windows keep painting while a long
// task runs inside one of their handlers, and no click or key reaches them. A WM_QUIT stays for
// the loop outside.
void DispatchAllButInput();

}  // namespace ui

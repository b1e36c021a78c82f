// Drives another program's windows as a person would: waits for its top-level windows and
// message boxes, reads their class, title and text, and presses their buttons with the mouse.
// Used by the end-to-end tests and by the uidriver command-line tool.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace e2e {

struct WindowInfo {
    HWND handle = nullptr;
    DWORD processId = 0;
    std::string className;
    std::string title;
    bool visible = false;
};

struct WindowQuery {
    std::optional<std::string> className;  // exact match when given
    std::optional<std::string> title;      // exact match when given
    DWORD processId = 0;                   // 0: any process
    bool visibleOnly = true;
};

struct ButtonInfo {
    HWND handle = nullptr;
    int id = 0;
    std::string text;
};

std::vector<WindowInfo> ListTopLevelWindows(const WindowQuery& query = {});

// Polls until a matching window exists or the time is up.
std::optional<WindowInfo> WaitForWindow(const WindowQuery& query, int timeoutMs);

// Polls until no matching window is left; true when none is.
bool WaitForNoWindow(const WindowQuery& query, int timeoutMs);

// The message text of a system message box (its static control 0xFFFF).
std::string MessageBoxText(HWND box);

std::vector<ButtonInfo> Buttons(HWND dialog);

// Moves the mouse to the middle of the button and clicks it. False when there is no such
// button.
bool ClickButton(HWND dialog, int id);
bool ClickButtonWithText(HWND dialog, const std::string& text);

// Clicks the window's client area at (x, y), client coordinates.
bool ClickAt(HWND window, int x, int y);
// Moves the mouse to (x, y) in the window's client coordinates, without a click (hover).
bool MoveMouseTo(HWND window, int x, int y);

std::string WindowText(HWND window);

// Types program text (ANSI code page) into the window as real keyboard input: a character of the
// keyboard layout as its key, with Shift where it needs it; any other character, Chinese among
// them, as a Unicode key packet, as on-screen keyboards and input tools send it. False when the
// window is gone.
bool TypeText(HWND window, const std::string& text);

// Presses the keys (virtual-key codes) one after another and releases them in reverse order:
// {VK_CONTROL, 'A'} is Ctrl+A.
bool PressChord(HWND window, const std::vector<WORD>& keys);

}  // namespace e2e

#include "tools/uidriver/ui_driver.h"

#include <algorithm>
#include <chrono>
#include <thread>

namespace e2e {
namespace {

constexpr int kPollMs = 50;
// Between key strokes, so that the other program keeps up.
constexpr int kKeyPauseMs = 15;
constexpr int kMessageBoxTextId = 0xFFFF;

std::string ClassNameOf(HWND window) {
    char name[256] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

bool Matches(const WindowInfo& info, const WindowQuery& query) {
    if (query.visibleOnly && !info.visible) return false;
    if (query.processId != 0 && info.processId != query.processId) return false;
    if (query.className && info.className != *query.className) return false;
    if (query.title && info.title != *query.title) return false;
    return true;
}

struct Enumeration {
    const WindowQuery* query;
    std::vector<WindowInfo>* found;
};

BOOL CALLBACK CollectTopLevel(HWND window, LPARAM param) {
    auto* e = reinterpret_cast<Enumeration*>(param);
    WindowInfo info;
    info.handle = window;
    GetWindowThreadProcessId(window, &info.processId);
    info.className = ClassNameOf(window);
    info.title = WindowText(window);
    info.visible = IsWindowVisible(window) != FALSE;
    if (Matches(info, *e->query)) e->found->push_back(info);
    return TRUE;
}

BOOL CALLBACK CollectButton(HWND child, LPARAM param) {
    auto* buttons = reinterpret_cast<std::vector<ButtonInfo>*>(param);
    std::string cls = ClassNameOf(child);
    if (_stricmp(cls.c_str(), "Button") == 0) {
        buttons->push_back({child, GetDlgCtrlID(child), WindowText(child)});
    }
    return TRUE;
}

// A real click through the input queue, at a point given in screen coordinates.
void MouseClickAt(POINT screen) {
    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYSCREEN);
    INPUT inputs[3] = {};
    for (INPUT& input : inputs) {
        input.type = INPUT_MOUSE;
        input.mi.dx = MulDiv(screen.x, 65535, width - 1);
        input.mi.dy = MulDiv(screen.y, 65535, height - 1);
    }
    inputs[0].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    inputs[1].mi.dwFlags = MOUSEEVENTF_LEFTDOWN | MOUSEEVENTF_ABSOLUTE;
    inputs[2].mi.dwFlags = MOUSEEVENTF_LEFTUP | MOUSEEVENTF_ABSOLUTE;
    SendInput(1, &inputs[0], sizeof(INPUT));
    Sleep(30);
    SendInput(2, &inputs[1], sizeof(INPUT));
}

INPUT KeyInput(WORD key, WORD unit, DWORD flags) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.wScan = unit;
    input.ki.dwFlags = flags;
    return input;
}

// The key strokes of one UTF-16 unit.
std::vector<INPUT> Keystrokes(wchar_t unit) {
    const SHORT layout = unit < 0x80 ? VkKeyScanW(unit) : -1;
    const int shifts = layout == -1 ? -1 : HIBYTE(layout);
    if (shifts != 0 && shifts != 1) {
        return {KeyInput(0, unit, KEYEVENTF_UNICODE),
                KeyInput(0, unit, KEYEVENTF_UNICODE | KEYEVENTF_KEYUP)};
    }
    const WORD key = LOBYTE(layout);
    std::vector<INPUT> strokes;
    if (shifts) strokes.push_back(KeyInput(VK_SHIFT, 0, 0));
    strokes.push_back(KeyInput(key, 0, 0));
    strokes.push_back(KeyInput(key, 0, KEYEVENTF_KEYUP));
    if (shifts) strokes.push_back(KeyInput(VK_SHIFT, 0, KEYEVENTF_KEYUP));
    return strokes;
}

void Activate(HWND window) {
    HWND root = GetAncestor(window, GA_ROOT);
    SetForegroundWindow(root);
    BringWindowToTop(root);
    Sleep(50);
}

}  // namespace

std::string WindowText(HWND window) {
    char text[1024] = {};
    // WM_GETTEXT reaches other processes' windows too.
    SendMessageTimeoutA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text),
                        SMTO_ABORTIFHUNG, 2000, nullptr);
    return text;
}

std::vector<WindowInfo> ListTopLevelWindows(const WindowQuery& query) {
    std::vector<WindowInfo> found;
    Enumeration e{&query, &found};
    EnumWindows(CollectTopLevel, reinterpret_cast<LPARAM>(&e));
    return found;
}

std::optional<WindowInfo> WaitForWindow(const WindowQuery& query, int timeoutMs) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    do {
        auto found = ListTopLevelWindows(query);
        if (!found.empty()) return found.front();
        std::this_thread::sleep_for(std::chrono::milliseconds(kPollMs));
    } while (std::chrono::steady_clock::now() < deadline);
    return std::nullopt;
}

bool WaitForNoWindow(const WindowQuery& query, int timeoutMs) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    do {
        if (ListTopLevelWindows(query).empty()) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(kPollMs));
    } while (std::chrono::steady_clock::now() < deadline);
    return false;
}

std::string MessageBoxText(HWND box) {
    HWND text = GetDlgItem(box, kMessageBoxTextId);
    return text != nullptr ? WindowText(text) : std::string();
}

std::vector<ButtonInfo> Buttons(HWND dialog) {
    std::vector<ButtonInfo> buttons;
    EnumChildWindows(dialog, CollectButton, reinterpret_cast<LPARAM>(&buttons));
    return buttons;
}

bool ClickAt(HWND window, int x, int y) {
    if (!IsWindow(window)) return false;
    Activate(window);
    POINT point{x, y};
    ClientToScreen(window, &point);
    MouseClickAt(point);
    return true;
}

bool TypeText(HWND window, const std::string& text) {
    if (!IsWindow(window)) return false;
    Activate(window);
    const int length =
        MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring units(static_cast<std::size_t>(std::max(length, 0)), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), units.data(),
                        length);
    for (const wchar_t unit : units) {
        std::vector<INPUT> strokes = Keystrokes(unit);
        SendInput(static_cast<UINT>(strokes.size()), strokes.data(), sizeof(INPUT));
        Sleep(kKeyPauseMs);
    }
    return true;
}

bool PressChord(HWND window, const std::vector<WORD>& keys) {
    if (!IsWindow(window)) return false;
    Activate(window);
    std::vector<INPUT> strokes;
    for (const WORD key : keys)
        strokes.push_back(KeyInput(key, 0, 0));
    for (auto key = keys.rbegin(); key != keys.rend(); ++key)
        strokes.push_back(KeyInput(*key, 0, KEYEVENTF_KEYUP));
    SendInput(static_cast<UINT>(strokes.size()), strokes.data(), sizeof(INPUT));
    Sleep(kKeyPauseMs);
    return true;
}

bool ClickButton(HWND dialog, int id) {
    HWND button = GetDlgItem(dialog, id);
    if (button == nullptr) return false;
    RECT rect;
    GetClientRect(button, &rect);
    return ClickAt(button, (rect.right - rect.left) / 2, (rect.bottom - rect.top) / 2);
}

bool ClickButtonWithText(HWND dialog, const std::string& text) {
    for (const ButtonInfo& button : Buttons(dialog)) {
        if (button.text == text) return ClickButton(dialog, button.id);
    }
    return false;
}

bool MoveMouseTo(HWND window, int x, int y) {
    if (!IsWindow(window)) return false;
    POINT point{x, y};
    ClientToScreen(window, &point);
    INPUT move{};
    move.type = INPUT_MOUSE;
    move.mi.dx = MulDiv(point.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
    move.mi.dy = MulDiv(point.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
    move.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    SendInput(1, &move, sizeof(INPUT));
    return true;
}

}  // namespace e2e

#include "wizard/wizard_window.h"

#include <windows.h>

#include "wizard/message_loops.h"
#include "wizard/wizard_identity.h"

namespace wiz {
namespace {

// A plain window of the wizard's class and title; the skinned wizard replaces its contents.
LRESULT CALLBACK WizardProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

bool RegisterWizardClass(HINSTANCE instance) {
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = WizardProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = kWizardClassName;
    return RegisterClassExA(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

}  // namespace

void CreateWizardWindow() {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    if (!RegisterWizardClass(instance)) return;
    HWND window = CreateWindowExA(0, kWizardClassName, kWizardTitle,
                                  WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX,
                                  CW_USEDEFAULT, CW_USEDEFAULT, 460, 340, nullptr, nullptr,
                                  instance, nullptr);
    if (window == nullptr) return;
    ShowWindow(window, SW_SHOW);
    UpdateWindow(window);
    RunMessageLoop();
}

}  // namespace wiz

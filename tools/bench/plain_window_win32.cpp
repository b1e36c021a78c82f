// plain_window: the yardstick of first_frame_bench. Shows one white 460 x 340 window in the
// middle of the work area, as the wizard's, and nothing else; ends when the window is closed.
#include <windows.h>

namespace {

LRESULT CALLBACK PlainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) PostQuitMessage(0);
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = PlainWindowProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    wc.lpszClassName = L"PlainWindow";
    RegisterClassW(&wc);
    RECT area{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    const int width = 460, height = 340;
    HWND window = CreateWindowExW(0, wc.lpszClassName, L"plain window", WS_POPUP,
                                  area.left + (area.right - area.left - width) / 2,
                                  area.top + (area.bottom - area.top - height) / 2, width, height,
                                  nullptr, nullptr, instance, nullptr);
    ShowWindow(window, SW_SHOW);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}

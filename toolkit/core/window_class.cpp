#include "toolkit/core/window_class.h"

#include "toolkit/core/text_convert.h"

namespace ui {

namespace {

HICON gApplicationIcon = nullptr;

LRESULT CALLBACK ForwardToDefault(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

HCURSOR DefaultCursor() {
    return LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
}

HICON ApplicationIcon() {
    return gApplicationIcon;
}

void SetApplicationIcon(HICON icon) {
    gApplicationIcon = icon;
}

ATOM RegisterWindowClass(const std::string& className, UINT style, HICON icon, HCURSOR cursor,
                         WNDPROC proc) {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    HICON smallIcon = nullptr;
    if (!icon) {
        icon = LoadIconW(instance, MAKEINTRESOURCEW(129));
        if (icon) SetApplicationIcon(icon);
        // The small one from the same resource, loaded once: left out, the system would look it
        // up in the resource again for every class registered.
        smallIcon = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(129), IMAGE_ICON,
                                                  GetSystemMetrics(SM_CXSMICON),
                                                  GetSystemMetrics(SM_CYSMICON), LR_SHARED));
    }
    std::wstring name = ToWide(className);
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.style = style;
    wc.lpfnWndProc = proc ? proc : ForwardToDefault;
    wc.hInstance = instance;
    wc.hIcon = icon;
    wc.hIconSm = smallIcon;
    wc.hCursor = cursor ? cursor : DefaultCursor();
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = name.c_str();
    return RegisterClassExW(&wc);
}

POINT CentredOrigin(const RECT& workArea, int width, int height) {
    // Centred in the work area wherever it starts (a taskbar at the left or top moves it).
    LONG areaWidth = workArea.right - workArea.left;
    LONG areaHeight = workArea.bottom - workArea.top;
    return {workArea.left + (areaWidth - width) / 2, workArea.top + (areaHeight - height) / 2};
}

HWND CreateHostWindow(const HostWindowSpec& spec) {
    int width = spec.width > 0 ? spec.width : 380;
    int height = spec.height > 0 ? spec.height : 250;
    RECT workArea{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &workArea, 0);
    POINT centre = CentredOrigin(workArea, width, height);
    std::wstring title = ToWide(spec.title);
    std::wstring className = ToWide(spec.className.empty() ? kSurfaceClassName : spec.className);
    HWND window = CreateWindowExW(spec.exStyle, className.c_str(), title.c_str(), spec.style,
                                  spec.x.value_or(centre.x), spec.y.value_or(centre.y), width,
                                  height, spec.parent, nullptr, GetModuleHandleW(nullptr), nullptr);
    if (!window) return nullptr;
    for (WPARAM kind : {WPARAM(ICON_SMALL), WPARAM(ICON_BIG)}) {
        auto icon = reinterpret_cast<HICON>(SendMessageW(window, WM_GETICON, kind, 0));
        if (!icon) {
            icon = reinterpret_cast<HICON>(
                GetClassLongPtrW(window, kind == ICON_SMALL ? GCLP_HICONSM : GCLP_HICON));
        }
        SendMessageW(window, WM_SETICON, kind, reinterpret_cast<LPARAM>(icon));
    }
    if (spec.show) {
        ShowWindow(window, SW_SHOWNORMAL);
        UpdateWindow(window);
    }
    return window;
}

}  // namespace ui

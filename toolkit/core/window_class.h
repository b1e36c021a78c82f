// The window class of toolkit windows and the creation of a host's top-level window, with the
// class's cursor and icon.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace ui {

inline constexpr char kSurfaceClassName[] = "Ui_Surface";

// The arrow: the cursor of toolkit windows and of elements without a cursor of their own.
HCURSOR DefaultCursor();
// The own module's icon 129, kept when RegisterWindowClass loads it.
HICON ApplicationIcon();
void SetApplicationIcon(HICON icon);

// RegisterClassExW with the toolkit's defaults: style CS_DBLCLKS, a DefWindowProcW forwarder,
// the own module's icon 129 (also kept as the application icon), the default cursor and the
// button-face brush. Returns the atom (0 when it failed, e.g. already registered).
ATOM RegisterWindowClass(const std::string& className = "Ui_Surface", UINT style = CS_DBLCLKS,
                         HICON icon = nullptr, HCURSOR cursor = nullptr, WNDPROC proc = nullptr);

inline constexpr DWORD kDefaultHostStyle =
    WS_POPUP | WS_CLIPCHILDREN | WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_SYSMENU;

struct HostWindowSpec {
    HWND parent = nullptr;
    std::string title;
    std::optional<int> x, y;
    int width = 380;
    int height = 250;
    std::string className = "Ui_Surface";
    DWORD style = kDefaultHostStyle;
    DWORD exStyle = 0;
    bool show = false;
};

// Creates the window (title and class converted from the ANSI code page); a missing position
// centres it in the work area. Returns 0 when CreateWindowExW fails.
HWND CreateHostWindow(const HostWindowSpec& spec);

// Top-left corner that centres a width x height window in the work area.
POINT CentredOrigin(const RECT& workArea, int width, int height);

}  // namespace ui

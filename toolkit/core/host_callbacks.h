// The host's events for the application.
#pragma once

#include <windows.h>

#include <functional>

#include "toolkit/core/gdiplus_api.h"

namespace ui {

class Element;

struct HostCallbacks {
    // (window, element, wParam and lParam of the causing message, type id of the element)
    using ElementCallback = std::function<void(HWND, Element*, WPARAM, LPARAM, int typeId)>;
    std::function<void(HWND, GpGraphics*, int width, int height)> backgroundPaint;
    // Sees every window message first; anything but -1 is returned to the system at once.
    std::function<LRESULT(HWND, UINT, WPARAM, LPARAM)> rawMessage;
    std::function<void(HWND, int width, int height)> sizeChanged;
    ElementCallback mouseDown, leftButtonUp, click, doubleClick, rightDown, rightUp, mouseLeave,
        mouseEnter, focusGained, focusLost;
};

}  // namespace ui

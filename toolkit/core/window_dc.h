// The device context of a window (GetDC), released with its owner.
#pragma once

#include <windows.h>

namespace ui {

class WindowDc {
  public:
    WindowDc() = default;
    ~WindowDc() { Release(); }
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;

    void Acquire(HWND window) {
        Release();
        window_ = window;
        dc_ = GetDC(window);
    }
    void Release() {
        if (dc_) ReleaseDC(window_, dc_);
        dc_ = nullptr;
        window_ = nullptr;
    }
    HDC Get() const { return dc_; }

  private:
    HWND window_ = nullptr;
    HDC dc_ = nullptr;
};

}  // namespace ui

// The tooltip window of a host ("tooltips_class32") with its single tool, the rectangle of the
// element under the mouse. Destroyed with its owner.
#pragma once

#include <windows.h>
// The tooltip control.
#include <commctrl.h>

#include <string>

#include "toolkit/core/geometry.h"

namespace ui {

class Tooltip {
  public:
    Tooltip() = default;
    ~Tooltip() { Destroy(); }
    Tooltip(const Tooltip&) = delete;
    Tooltip& operator=(const Tooltip&) = delete;

    // A topmost tooltip window for `owner`, tips up to 1024 pixels wide.
    void Create(HWND owner);
    void Destroy();
    // Shows `text` as the tip of `rect` (empty text: no tip).
    void Show(const std::string& text, const RectF& rect);
    HWND Window() const { return window_; }

  private:
    HWND window_ = nullptr;
    TOOLINFOA toolInfo_{};
};

}  // namespace ui

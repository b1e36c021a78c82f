// The tooltip window of a host ("tooltips_class32") with its single tool, the rectangle of the
// element under the mouse. Destroyed with its owner. The window is made when the mouse first
// enters an element with a tip: most hosts never show one, and making it (with the common
// controls it needs) while a window is being built would only delay the window's first frame.
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

    // Tips for `owner`, shown in a topmost tooltip window up to 1024 pixels wide.
    void Create(HWND owner);
    void Destroy();
    // Shows `text` as the tip of `rect` (empty text: no tip), making the window at the first tip:
    // the mouse has just entered `rect`.
    void Show(const std::string& text, const RectF& rect);
    // The same for a window already made. Before it is, there is nothing to change: no tip can
    // show before the mouse enters an element, and that shows the element's tip.
    void Update(const std::string& text, const RectF& rect);
    HWND Window() const { return window_; }

  private:
    bool MakeWindow();

    HWND owner_ = nullptr;
    HWND window_ = nullptr;
    TOOLINFOA toolInfo_{};
};

}  // namespace ui

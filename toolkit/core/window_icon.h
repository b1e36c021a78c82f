// The picture of the window's own icon at the left end of a host's caption.
#pragma once

#include "toolkit/core/element.h"

namespace ui {

inline constexpr RectF kWindowIconRect{8, 12, 16, 16};

class WindowIcon : public Element {
  public:
    ~WindowIcon() override;
    ElementHandle Create(HWND hostWindow);

  protected:
    void OnPaint() override;
    void DrawFace(PaintContext& context) override;
};

// The window's small icon, else its large one, else its class's.
HICON IconOfWindow(HWND window);

}  // namespace ui

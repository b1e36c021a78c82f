// A title-bar button of a host window (close, maximise, minimise and four spare ones). It shows
// a glyph from the toolkit's skin over a face that lights up under the mouse.
#pragma once

#include "toolkit/core/control.h"

namespace ui {

inline constexpr float kCaptionButtonWidth = 26;
inline constexpr float kCaptionButtonHeight = 20;

class CaptionButton : public Control {
  public:
    ~CaptionButton() override;
    // `flag` is the caption flag the button stands for (4, 8, 16, ... 256).
    ElementHandle Create(HWND hostWindow, int flag);
    int Flag() const { return flag_; }

  protected:
    bool DrawCustomFace(int state, PaintContext& context) override;
    int PreHandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    int Glyph() const;
    int flag_ = 0;
};

}  // namespace ui

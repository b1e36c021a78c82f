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
    // Not focusable, yet it takes the press and shows it like a focusable control.
    int OnPressWithoutFocus() override;
    void OnMouseDown(const MouseEvent& event) override;
    void OnMouseUp(const MouseEvent& event) override;
    // Closes, maximises, restores or minimises the window; bindings and the host's click
    // callback still see the click.
    void OnClick() override;
    // Without a tooltip, named by what it does.
    void DescribeForAccessibility(AccessibleFacts& facts) const override;

  private:
    int Glyph() const;
    int flag_ = 0;
};

}  // namespace ui

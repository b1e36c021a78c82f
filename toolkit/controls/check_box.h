// A check box: a control with a checked flag, a small box from the toolkit's check sheet left of
// its caption, and a dashed focus frame round the caption. A click, Enter or Space on the
// focused box, or its accelerator toggles it; the click handler reads the new value.
#pragma once

#include "toolkit/core/control.h"

namespace ui {

class CheckBox : public Control {
  public:
    ~CheckBox() override;

    int Checked() const { return checked_; }
    // Stores the value as given (nonzero counts as checked) and redraws when it changes.
    void SetChecked(int value);

  protected:
    bool DrawCustomFace(int state, PaintContext& context) override;
    void BeforeContent(int state, RectF& textRect, RectF& imageRect) override;
    int PreHandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    void DrawBox(int state, const RectF& box);
    void DrawCaptionFocus(const RectF& textRect);

    int checked_ = 0;
};

}  // namespace ui

// A check box: a control with a checked flag, a small box from the toolkit's check sheet left of
// its caption, and a dashed focus frame round the caption (the only focus frame it shows). A click,
// Enter or Space on the focused box, or its accelerator toggles it; the click handler reads the new
// value.
#pragma once

#include "toolkit/core/control.h"

namespace ui {

class CheckBox : public Control {
  public:
    CheckBox() : Control(ElementType::kCheckBox) {}
    ~CheckBox() override;

    int Checked() const { return checked_; }
    // Stores the value as given (nonzero counts as checked) and redraws when it changes.
    void SetChecked(int value);

  protected:
    bool DrawCustomFace(int state, PaintContext& context) override;
    void BeforeContent(int state, RectF& textRect, RectF& imageRect) override;
    // The control's own handling and the bindings see every event as well.
    void OnCreate() override;
    void OnDestroy() override;
    // Toggles, then the click handler reads the new value.
    void OnClick() override;
    // Only round the caption: the box beside it needs no frame of its own.
    void DrawFocusFrame() override;
    // A check button, toggled by its default action.
    void DescribeForAccessibility(AccessibleFacts& facts) const override;

  private:
    void DrawBox(int state, const RectF& box);

    int checked_ = 0;
    RectF caption_;  // where the face being drawn puts the caption
};

}  // namespace ui

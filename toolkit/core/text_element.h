// An element that shows one text in its style: the base of Label and Control.
#pragma once

#include <string>

#include "toolkit/core/styled_element.h"

namespace ui {

class TextElement : public StyledElement {
  public:
    std::string Text() const;
    const std::wstring& WideText() const { return text_; }

  protected:
    void DrawStyledText(const RectF& rect) const;
    // Named by its text (the accelerator's "&" dropped), or by the tooltip when it has none.
    void DescribeForAccessibility(AccessibleFacts& facts) const override;

    std::wstring text_;
};

}  // namespace ui

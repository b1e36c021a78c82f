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

    std::wstring text_;
};

}  // namespace ui

#include "toolkit/core/text_element.h"

#include "toolkit/core/text_convert.h"

namespace ui {

std::string TextElement::Text() const {
    return ToNarrow(text_);
}

void TextElement::DrawStyledText(const RectF& rect) const {
    style_.Draw(BackingGraphics(), rect, text_, CurrentTextColor());
}

}  // namespace ui

#include "toolkit/core/text_element.h"

#include "toolkit/core/text_convert.h"

namespace ui {

std::string TextElement::Text() const {
    return ToNarrow(text_);
}

void TextElement::DescribeForAccessibility(AccessibleFacts& facts) const {
    StyledElement::DescribeForAccessibility(facts);
    if (text_.empty()) return;
    facts.name.clear();
    for (std::size_t i = 0; i < text_.size(); ++i) {
        if (text_[i] == L'&' && i + 1 < text_.size()) ++i;  // "&&" stands for one "&"
        facts.name += text_[i];
    }
}

void TextElement::DrawStyledText(const RectF& rect) const {
    style_.Draw(BackingGraphics(), rect, text_, CurrentTextColor());
}

}  // namespace ui

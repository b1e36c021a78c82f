#include "toolkit/core/text_element.h"

#include "toolkit/core/element_host.h"
#include "toolkit/core/text_convert.h"

namespace ui {

std::string TextElement::Text() const {
    return ToNarrow(text_);
}

void TextElement::SetTextColor(ARGB colour) {
    style_.color = colour;
    TextStyleChanged(false);
}

void TextElement::SetTextEffect(TextEffect effect) {
    style_.effect = effect;
    TextStyleChanged(false);
}

void TextElement::SetEffectColor(ARGB colour) {
    style_.effectColor = colour;
    TextStyleChanged(false);
}

void TextElement::SetAutoTextColor(bool on) {
    style_.autoColor = on;
    TextStyleChanged(false);
}

void TextElement::SetFont(FontPtr font) {
    style_.SetFont(std::move(font));
    TextStyleChanged(true);
}

void TextElement::SetFontFamily(const std::string& family) {
    style_.SetFontFamily(family);
    TextStyleChanged(true);
}

void TextElement::SetFontStyle(int style) {
    style_.SetFontStyle(style);
    TextStyleChanged(true);
}

void TextElement::SetFontSize(float size) {
    style_.SetFontSize(size);
    TextStyleChanged(true);
}

void TextElement::TextStyleChanged(bool) {
    Redraw();
}

ARGB TextElement::CurrentTextColor() const {
    bool dark = style_.autoColor && Host() && Host()->BackgroundIsDark(Rect());
    return style_.ColourOver(dark);
}

void TextElement::DrawStyledText(const RectF& rect) const {
    style_.Draw(BackingGraphics(), rect, text_, CurrentTextColor());
}

}  // namespace ui

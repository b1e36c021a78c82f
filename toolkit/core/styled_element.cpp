#include "toolkit/core/styled_element.h"

#include "toolkit/core/element_host.h"

namespace ui {

void StyledElement::SetTextColor(ARGB colour) {
    style_.color = colour;
    TextStyleChanged(false);
}

void StyledElement::SetTextEffect(TextEffect effect) {
    style_.effect = effect;
    TextStyleChanged(false);
}

void StyledElement::SetEffectColor(ARGB colour) {
    style_.effectColor = colour;
    TextStyleChanged(false);
}

void StyledElement::SetAutoTextColor(bool on) {
    style_.autoColor = on;
    TextStyleChanged(false);
}

void StyledElement::SetFont(FontPtr font) {
    style_.SetFont(std::move(font));
    TextStyleChanged(true);
}

void StyledElement::SetFontFamily(const std::string& family) {
    style_.SetFontFamily(family);
    TextStyleChanged(true);
}

void StyledElement::SetFontStyle(int style) {
    style_.SetFontStyle(style);
    TextStyleChanged(true);
}

void StyledElement::SetFontSize(float size) {
    style_.SetFontSize(size);
    TextStyleChanged(true);
}

void StyledElement::TextStyleChanged(bool) {
    Redraw();
}

ARGB StyledElement::CurrentTextColor() const {
    bool dark = style_.autoColor && Host() && Host()->BackgroundIsDark(Rect());
    return style_.ColourOver(dark);
}

}  // namespace ui

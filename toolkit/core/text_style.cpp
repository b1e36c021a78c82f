#include "toolkit/core/text_style.h"

#include "toolkit/core/toolkit.h"

namespace ui {

void TextStyle::Apply(const TextSpec& spec) {
    color = spec.color;
    effect = spec.effect;
    effectColor = spec.effectColor;
    autoColor = spec.autoColor;
    ownFont_.reset();
    if (!spec.fontFamily.empty() || spec.fontSize != 12 || spec.fontStyle != 0) {
        std::string family =
            spec.fontFamily.empty() ? FontFamilyName(DefaultFont()) : spec.fontFamily;
        ownFont_ = CreateFont(family, spec.fontSize, spec.fontStyle);
    }
}

void TextStyle::Release() {
    ownFont_.reset();
    format_.reset();
}

GpFont* TextStyle::Font() const {
    return ownFont_ ? ownFont_.get() : DefaultFont();
}

void TextStyle::SetFont(FontPtr font) {
    ownFont_ = std::move(font);
}

void TextStyle::SetFontFamily(const std::string& family) {
    GpFont* font = Font();
    SetFont(CreateFont(family, font ? FontSize(font) : 12, FontStyle(font)));
}

void TextStyle::SetFontStyle(int style) {
    GpFont* font = Font();
    SetFont(CreateFont(FontFamilyName(font), font ? FontSize(font) : 12, style));
}

void TextStyle::SetFontSize(float size) {
    GpFont* font = Font();
    SetFont(CreateFont(FontFamilyName(font), size, FontStyle(font)));
}

ARGB TextStyle::ColourOver(bool darkBackground) const {
    if (!autoColor) return color;
    return Argb(darkBackground ? 0xFFFFFF : 0x000000, AlphaOf(color));
}

void TextStyle::Draw(GpGraphics* g, const RectF& rect, const std::wstring& text,
                     ARGB colour) const {
    DrawText(g, rect, text, Font(), colour, format_.get(), effect, effectColor);
}

}  // namespace ui

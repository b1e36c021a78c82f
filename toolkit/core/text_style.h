// How an element draws its text, in one value shared by every element that draws text: the
// font (the toolkit's shared default font, or one of its own), the string format, the colour,
// the effect and its colour, and the automatic colour that stays readable on the background.
#pragma once

#include <string>

#include "toolkit/core/gdiplus_api.h"
#include "toolkit/core/geometry.h"
#include "toolkit/core/shapes.h"
#include "toolkit/core/text_render.h"

namespace ui {

// The text style as its creator describes it.
struct TextSpec {
    ARGB color = Argb(0x000000, 210);
    std::string fontFamily;  // empty, size 12 and style 0: the shared default font
    float fontSize = 12;
    int fontStyle = 0;  // GDI+ style bits: 1 bold, 2 italic, 4 underline, 8 strikeout
    TextEffect effect = TextEffect::kNone;
    ARGB effectColor = 0;  // 0: a colour that contrasts with the text colour
    bool autoColor = false;
};

class TextStyle {
  public:
    TextStyle() = default;
    TextStyle(TextStyle&&) = default;
    TextStyle& operator=(TextStyle&&) = default;

    // Takes the colours and effect, and builds the font it describes.
    void Apply(const TextSpec& spec);
    // Drops the font and the format (the element is destroyed).
    void Release();

    // ---- Font: never 0 while the toolkit runs; the default font is shared, never deleted.
    GpFont* Font() const;
    // Takes a font of the element's own; 0 returns to the default font.
    void SetFont(FontPtr font);
    // A new font with one attribute replaced (an unknown family: the default font's family).
    void SetFontFamily(const std::string& family);
    void SetFontStyle(int style);
    void SetFontSize(float size);

    GpStringFormat* Format() const { return format_.get(); }
    void SetFormat(StringFormatPtr format) { format_ = std::move(format); }

    // The colour to draw with: `color`, or with the automatic colour white over a dark
    // background and black otherwise, at the alpha of `color`.
    ARGB ColourOver(bool darkBackground) const;
    // Draws `text` in `colour` with the font, format and effect.
    void Draw(GpGraphics* g, const RectF& rect, const std::wstring& text, ARGB colour) const;

    ARGB color = Argb(0x000000, 210);
    TextEffect effect = TextEffect::kNone;
    ARGB effectColor = 0;
    bool autoColor = false;

  private:
    FontPtr ownFont_;
    StringFormatPtr format_;
};

}  // namespace ui

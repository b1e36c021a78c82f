// Fonts, measuring and drawing of text with GDI+, with the soft halo and outline effects.
#pragma once

#include <string>

#include "toolkit/core/gdiplus_api.h"
#include "toolkit/core/geometry.h"

namespace ui {

// Drawn around the glyphs before the text: a blurred halo or a crisp one-pixel outline.
enum class TextEffect : int { kNone = 0, kHalo = 3, kOutline = 4 };

// A pixel-sized font; an unknown family falls back to the default font's family.
FontPtr CreateFont(const std::string& family, float size, int style);
std::string FontFamilyName(GpFont* font);
float FontSize(GpFont* font);
int FontStyle(GpFont* font);

// The format of a control: no wrap, near alignment, no trimming, "&X" underlines X.
StringFormatPtr CreateControlFormat();

// Bounds of the characters first..first+length of `text` laid out in `layout`.
RectF MeasureRange(GpGraphics* g, const std::wstring& text, GpFont* font, GpStringFormat* format,
                   int first, int length, const RectF& layout);

// Bounds of the whole of `text` laid out in `layout`; an empty layout sets no limit, so the
// text is measured unwrapped, one line per line break. `format` may be 0.
RectF MeasureString(GpGraphics* g, const std::wstring& text, GpFont* font, GpStringFormat* format,
                    const RectF& layout = {});

// Draws `text`; an effect is drawn first, in `effectColour` or (0) a colour that contrasts
// with the text colour.
void DrawText(GpGraphics* g, const RectF& rect, const std::wstring& text, GpFont* font, ARGB colour,
              GpStringFormat* format, TextEffect effect = TextEffect::kNone, ARGB effectColour = 0);

// Luminance 0.299 R + 0.587 G + 0.114 B below 192.
bool IsDark(ARGB colour);

}  // namespace ui

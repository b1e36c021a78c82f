#include "toolkit/core/text_render.h"

#include <cmath>

#include "runtime/dll_calls_win32.h"

#include "toolkit/core/shapes.h"
#include "toolkit/core/text_convert.h"
#include "toolkit/core/toolkit.h"

namespace ui {

namespace {

Gdiplus::RectF ToGp(const RectF& r) {
    return Gdiplus::RectF(r.x, r.y, r.width, r.height);
}

void DrawPlain(GpGraphics* g, const RectF& rect, const std::wstring& text, GpFont* font,
               ARGB colour, GpStringFormat* format) {
    Gdiplus::GpSolidFill* brush = nullptr;
    gp::GdipCreateSolidFill(colour, &brush);
    BrushPtr owner(brush);
    Gdiplus::RectF layout = ToGp(rect);
    gp::GdipDrawString(g, text.c_str(), -1, font, &layout, format, brush);
}

// The text drawn five times around its place into a work bitmap, scaled down by `scale` and
// back up: scale 1 gives a crisp outline, scale 3 a soft halo.
void DrawEffect(GpGraphics* g, const RectF& rect, const std::wstring& text, GpFont* font,
                GpStringFormat* format, ARGB colour, float scale) {
    int width = static_cast<int>(rect.width) + 7, height = static_cast<int>(rect.height) + 7;
    ImagePtr work = NewArgbBitmap(width, height);
    GraphicsPtr workGraphics = NewSmoothGraphics(work.get());
    const float origins[5][2] = {{5, 4}, {3, 4}, {4, 3}, {4, 5}, {4, 4}};
    for (const auto& origin : origins) {
        DrawPlain(workGraphics.get(), {origin[0], origin[1], rect.width, rect.height}, text, font,
                  colour, format);
    }
    workGraphics.reset();
    int smallWidth = static_cast<int>(width / scale),
        smallHeight = static_cast<int>(height / scale);
    ImagePtr small = NewArgbBitmap(smallWidth, smallHeight);
    GraphicsPtr smallGraphics = NewSmoothGraphics(small.get());
    gp::GdipSetCompositingQuality(smallGraphics.get(), Gdiplus::CompositingQualityHighQuality);
    gp::GdipSetInterpolationMode(smallGraphics.get(), Gdiplus::InterpolationModeHighQualityBicubic);
    gp::GdipDrawImageRectI(smallGraphics.get(), work.get(), 0, 0, smallWidth, smallHeight);
    smallGraphics.reset();
    gp::GdipDrawImageRect(g, small.get(), rect.x - 4, rect.y - 4, rect.width + 7, rect.height + 7);
}

}  // namespace

FontPtr CreateFont(const std::string& family, float size, int style) {
    Gdiplus::GpFontFamily* fontFamily = nullptr;
    std::wstring name = ToWide(family);
    if (gp::GdipCreateFontFamilyFromName(name.c_str(), nullptr, &fontFamily) != Gdiplus::Ok) {
        std::wstring fallback = ToWide(FontFamilyName(DefaultFont()));
        if (gp::GdipCreateFontFamilyFromName(fallback.c_str(), nullptr, &fontFamily) !=
            Gdiplus::Ok) {
            return nullptr;
        }
    }
    GpFont* font = nullptr;
    gp::GdipCreateFont(fontFamily, size, style, Gdiplus::UnitPixel, &font);
    gp::GdipDeleteFontFamily(fontFamily);
    return FontPtr(font);
}

std::string FontFamilyName(GpFont* font) {
    if (!font) return {};
    Gdiplus::GpFontFamily* family = nullptr;
    if (rt::dll::GdipGetFamily(font, &family) != Gdiplus::Ok || !family) return {};
    WCHAR name[LF_FACESIZE] = {};
    gp::GdipGetFamilyName(family, name, 0);
    gp::GdipDeleteFontFamily(family);
    return ToNarrow(name);
}

float FontSize(GpFont* font) {
    float size = 0;
    if (font) gp::GdipGetFontSize(font, &size);
    return size;
}

int FontStyle(GpFont* font) {
    INT style = 0;
    if (font) gp::GdipGetFontStyle(font, &style);
    return style;
}

StringFormatPtr CreateControlFormat() {
    GpStringFormat* format = nullptr;
    gp::GdipCreateStringFormat(Gdiplus::StringFormatFlagsNoWrap, 0, &format);
    gp::GdipSetStringFormatAlign(format, Gdiplus::StringAlignmentNear);
    gp::GdipSetStringFormatTrimming(format, Gdiplus::StringTrimmingNone);
    gp::GdipSetStringFormatHotkeyPrefix(format, Gdiplus::HotkeyPrefixShow);
    return StringFormatPtr(format);
}

RectF MeasureRange(GpGraphics* g, const std::wstring& text, GpFont* font, GpStringFormat* format,
                   int first, int length, const RectF& layout) {
    if (!g || !font || text.empty() || length <= 0) return {};
    Gdiplus::CharacterRange range(first, length);
    gp::GdipSetStringFormatMeasurableCharacterRanges(format, 1, &range);
    GpRegion* region = nullptr;
    gp::GdipCreateRegion(&region);
    RegionPtr owner(region);
    Gdiplus::RectF area = ToGp(layout);
    if (gp::GdipMeasureCharacterRanges(g, text.c_str(), -1, font, area, format, 1, &region) !=
        Gdiplus::Ok) {
        return {};
    }
    Gdiplus::RectF bounds;
    gp::GdipGetRegionBounds(region, g, &bounds);
    return {bounds.X, bounds.Y, bounds.Width, bounds.Height};
}

RectF MeasureString(GpGraphics* g, const std::wstring& text, GpFont* font, GpStringFormat* format,
                    const RectF& layout) {
    if (!g || !font) return {};
    Gdiplus::RectF area = ToGp(layout);
    Gdiplus::RectF bounds;
    if (gp::GdipMeasureString(g, text.c_str(), -1, font, &area, format, &bounds, nullptr,
                              nullptr) != Gdiplus::Ok) {
        return {};
    }
    return {bounds.X, bounds.Y, bounds.Width, bounds.Height};
}

void DrawText(GpGraphics* g, const RectF& rect, const std::wstring& text, GpFont* font, ARGB colour,
              GpStringFormat* format, TextEffect effect, ARGB effectColour) {
    if (!g || !font || text.empty()) return;
    RectF whole{std::trunc(rect.x), std::trunc(rect.y), std::trunc(rect.width),
                std::trunc(rect.height)};
    if (effect == TextEffect::kHalo || effect == TextEffect::kOutline) {
        ARGB halo = effectColour ? effectColour
                                 : (IsDark(colour) ? Argb(0xFFFFFF, 85) : Argb(0x000000, 75));
        DrawEffect(g, whole, text, font, format, halo, effect == TextEffect::kHalo ? 3.0f : 1.0f);
    }
    DrawPlain(g, whole, text, font, colour, format);
}

bool IsDark(ARGB colour) {
    double red = (colour >> 16) & 0xFF, green = (colour >> 8) & 0xFF, blue = colour & 0xFF;
    return 0.299 * red + 0.587 * green + 0.114 * blue < 192;
}

}  // namespace ui

// Colours and the shape operations every face is drawn with.
#pragma once

#include <cstdint>

#include "toolkit/core/gdiplus_api.h"
#include "toolkit/core/geometry.h"

namespace ui {

// alpha x 2^24 + the RGB value given as 0xRRGGBB.
constexpr ARGB Argb(std::uint32_t rgb, int alpha) {
    return (static_cast<ARGB>(alpha & 0xFF) << 24) | (rgb & 0xFFFFFF);
}
// The same from a Win32 COLORREF (0x00BBGGRR).
constexpr ARGB ArgbFromColorRef(std::uint32_t colorRef, int alpha) {
    return Argb(((colorRef & 0xFF) << 16) | (colorRef & 0xFF00) | ((colorRef >> 16) & 0xFF), alpha);
}
constexpr int AlphaOf(ARGB c) {
    return static_cast<int>(c >> 24);
}

// Four d x d arcs clockwise from the top-left, closed; fill mode alternate.
PathPtr RoundRectPath(const RectF& rect, float arc);
void FillRoundRect(GpGraphics* g, const RectF& rect, float arc, ARGB colour);
// mode: a LinearGradientMode, 1 = vertical.
void FillGradient(GpGraphics* g, const RectF& rect, ARGB from, ARGB to, int mode = 1);
void DrawRoundRect(GpGraphics* g, const RectF& rect, float arc, ARGB colour, int dashStyle = 0,
                   float width = 1.0f);

// Frame styles: 0 none, 1 sunken, 2 raised, 3 solid (colour or grey 100,100,100), 4 dashed
// (colour or black at alpha 120); any other value is itself the ARGB colour of a solid outline.
enum FrameStyle : std::uint32_t {
    kFrameNone = 0,
    kFrameSunken = 1,
    kFrameRaised = 2,
    kFrameSolid = 3,
    kFrameDashed = 4
};
void DrawFrame(GpGraphics* g, const RectF& rect, std::uint32_t style, ARGB colour = 0,
               float width = 1.0f);
void DrawLine(GpGraphics* g, ARGB colour, float x1, float y1, float x2, float y2,
              float width = 1.0f);

// Fills (within the current clip) replacing what is there, alpha included: a plain fill would
// blend, and clearing to transparent would then change nothing.
void FillReplacing(GpGraphics* g, const RectF& rect, ARGB colour);
void FillSolid(GpGraphics* g, const RectF& rect, ARGB colour);

}  // namespace ui

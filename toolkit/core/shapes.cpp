#include "toolkit/core/shapes.h"

#include "runtime/dll_calls_win32.h"

namespace ui {

namespace {

BrushPtr SolidBrush(ARGB colour) {
    Gdiplus::GpSolidFill* brush = nullptr;
    gp::GdipCreateSolidFill(colour, &brush);
    return BrushPtr(brush);
}

PenPtr MakePen(ARGB colour, float width, int dashStyle) {
    GpPen* pen = nullptr;
    rt::dll::GdipCreatePen1(colour, width, Gdiplus::UnitPixel, &pen);
    if (pen && dashStyle) gp::GdipSetPenDashStyle(pen, static_cast<Gdiplus::DashStyle>(dashStyle));
    return PenPtr(pen);
}

void Outline(GpGraphics* g, const RectF& r, ARGB colour, float width, int dashStyle) {
    PenPtr pen = MakePen(colour, width, dashStyle);
    gp::GdipDrawRectangle(g, pen.get(), r.x, r.y, r.width - 1, r.height - 1);
}

}  // namespace

PathPtr RoundRectPath(const RectF& r, float d) {
    GpPath* path = nullptr;
    gp::GdipCreatePath(Gdiplus::FillModeAlternate, &path);
    gp::GdipAddPathArc(path, r.x, r.y, d, d, 180, 90);
    gp::GdipAddPathArc(path, r.x + r.width - d - 1, r.y, d, d, 270, 90);
    gp::GdipAddPathArc(path, r.x + r.width - d - 1, r.y + r.height - d - 1, d, d, 0, 90);
    gp::GdipAddPathArc(path, r.x, r.y + r.height - d - 1, d, d, 90, 90);
    gp::GdipClosePathFigure(path);
    return PathPtr(path);
}

void FillRoundRect(GpGraphics* g, const RectF& rect, float arc, ARGB colour) {
    if (!g) return;
    PathPtr path = RoundRectPath(rect, arc);
    BrushPtr brush = SolidBrush(colour);
    gp::GdipFillPath(g, brush.get(), path.get());
}

void FillGradient(GpGraphics* g, const RectF& rect, ARGB from, ARGB to, int mode) {
    if (!g || rect.IsEmpty()) return;
    Gdiplus::GpLineGradient* brush = nullptr;
    Gdiplus::RectF area(rect.x, rect.y, rect.width, rect.height);
    gp::GdipCreateLineBrushFromRect(&area, from, to, static_cast<Gdiplus::LinearGradientMode>(mode),
                                    Gdiplus::WrapModeTileFlipXY, &brush);
    BrushPtr owner(brush);
    gp::GdipFillRectangle(g, brush, rect.x, rect.y, rect.width - 1, rect.height - 1);
}

void DrawRoundRect(GpGraphics* g, const RectF& rect, float arc, ARGB colour, int dashStyle,
                   float width) {
    if (!g) return;
    PathPtr path = RoundRectPath(rect, arc);
    PenPtr pen = MakePen(colour, width, dashStyle);
    gp::GdipDrawPath(g, pen.get(), path.get());
}

void DrawFrame(GpGraphics* g, const RectF& r, std::uint32_t style, ARGB colour, float width) {
    if (!g || style == kFrameNone) return;
    float right = r.x + r.width - 1, bottom = r.y + r.height - 1;
    switch (style) {
        case kFrameSunken:
        case kFrameRaised: {
            bool sunken = style == kFrameSunken;
            PenPtr dark = MakePen(Argb(0, sunken ? 160 : 168), sunken ? width : width / 2, 0);
            PenPtr light = MakePen(Argb(0xFFFFFF, 245), sunken ? width / 2 : width, 0);
            GpPen* topLeft = sunken ? dark.get() : light.get();
            GpPen* bottomRight = sunken ? light.get() : dark.get();
            rt::dll::GdipDrawLine(g, topLeft, r.x, r.y, right, r.y);
            rt::dll::GdipDrawLine(g, topLeft, r.x, r.y, r.x, bottom);
            rt::dll::GdipDrawLine(g, bottomRight, r.x, bottom, right, bottom);
            rt::dll::GdipDrawLine(g, bottomRight, right, r.y, right, bottom);
            return;
        }
        case kFrameSolid:
            Outline(g, r, colour ? colour : Argb(0x646464, 255), width, 0);
            return;
        case kFrameDashed:
            Outline(g, r, colour ? colour : Argb(0, 120), width, Gdiplus::DashStyleDash);
            return;
        default:
            Outline(g, r, style, width, 0);
    }
}

void DrawLine(GpGraphics* g, ARGB colour, float x1, float y1, float x2, float y2, float width) {
    if (!g) return;
    PenPtr pen = MakePen(colour, width, 0);
    rt::dll::GdipDrawLine(g, pen.get(), x1, y1, x2, y2);
}

void FillSolid(GpGraphics* g, const RectF& rect, ARGB colour) {
    if (!g) return;
    BrushPtr brush = SolidBrush(colour);
    gp::GdipFillRectangle(g, brush.get(), rect.x, rect.y, rect.width, rect.height);
}

void FillReplacing(GpGraphics* g, const RectF& rect, ARGB colour) {
    if (!g) return;
    Gdiplus::CompositingMode previous = Gdiplus::CompositingModeSourceOver;
    gp::GdipGetCompositingMode(g, &previous);
    Gdiplus::SmoothingMode smoothing = Gdiplus::SmoothingModeAntiAlias;
    gp::GdipGetSmoothingMode(g, &smoothing);
    // Anti-aliased edges would blend with what is there; replace whole pixels only.
    gp::GdipSetSmoothingMode(g, Gdiplus::SmoothingModeNone);
    gp::GdipSetCompositingMode(g, Gdiplus::CompositingModeSourceCopy);
    FillSolid(g, rect, colour);
    gp::GdipSetCompositingMode(g, previous);
    gp::GdipSetSmoothingMode(g, smoothing);
}

}  // namespace ui

#include "toolkit/core/window_background.h"

#include <algorithm>
#include <cmath>

#include "toolkit/core/shapes.h"

namespace ui {

namespace {

RegionPtr RoundRegion(int left, int top, int right, int bottom, int ellipse) {
    HRGN gdiRegion = CreateRoundRectRgn(left, top, right, bottom, ellipse, ellipse);
    GpRegion* region = nullptr;
    gp::GdipCreateRegionHrgn(gdiRegion, &region);
    DeleteObject(gdiRegion);
    return RegionPtr(region);
}

RectF ContentRect(const DibSurface& back) {
    return {5, 5, static_cast<float>(back.Width() - 10), static_cast<float>(back.Height() - 10)};
}

void DrawInMode(GpGraphics* g, GpImage* image, BackgroundMode mode, const DibSurface& back) {
    ImageSize size = SizeOf(image);
    float w = static_cast<float>(back.Width()), h = static_cast<float>(back.Height());
    float iw = static_cast<float>(size.width), ih = static_cast<float>(size.height);
    if (mode == BackgroundMode::kStretch) {
        DrawImageAlpha(g, image, ContentRect(back));
    } else if (mode == BackgroundMode::kCentre) {
        DrawImageAlpha(g, image, {std::trunc((w - iw) / 2), std::trunc((h - ih) / 2), iw, ih});
    } else {
        DrawImageAlpha(g, image, {5, 5, iw, ih});
    }
}

// The finished background once more, through the window's constant alpha.
void ApplyLayeredAlpha(DibSurface& back, int alpha) {
    DibSurface copy;
    copy.Create(back.Width(), back.Height());
    BitBlt(copy.Dc(), 0, 0, back.Width(), back.Height(), back.Dc(), 0, 0, SRCCOPY);
    DibSurface::Sync();
    RectF whole{0, 0, static_cast<float>(back.Width()), static_cast<float>(back.Height())};
    FillReplacing(back.Graphics(), whole, 0);
    DrawImageAlpha(back.Graphics(), copy.Bitmap(), whole, alpha);
}

}  // namespace

void PaintWindowBackground(DibSurface& back, const HostSettings& s, GpImage* image) {
    GpGraphics* g = back.Graphics();
    RectF whole{0, 0, static_cast<float>(back.Width()), static_cast<float>(back.Height())};
    if (s.cornerStyle == CornerStyle::kNineGrid && image) {
        ImageSize size = SizeOf(image);
        if (s.nineGridMargins.IsEmpty()) {
            DrawImageAlpha(g, image, {0, 0, float(size.width), float(size.height)});
        } else {
            DrawNineGrid(g, image, whole, s.nineGridMargins);
        }
        return;
    }
    int ellipse = s.cornerStyle != CornerStyle::kSquare ? 4 : 0;
    RegionPtr shape = RoundRegion(6, 6, back.Width() - 5, back.Height() - 5, ellipse);
    gp::GdipSetClipRegion(g, shape.get(), Gdiplus::CombineModeReplace);
    int layeredAlpha = std::clamp(s.layeredAlpha, 0, 255);
    if (!image) {
        FillReplacing(g, whole,
                      ArgbFromColorRef(s.backgroundColor, s.IsLayered() ? layeredAlpha : 255));
        return;
    }
    FillReplacing(g, whole, ArgbFromColorRef(s.backgroundColor, 255));
    DrawInMode(g, image, s.backgroundMode, back);
    if (s.border) DrawFrame(g, ContentRect(back), kFrameSolid);
    if (s.IsLayered() && layeredAlpha < 255) ApplyLayeredAlpha(back, layeredAlpha);
}

void PaintWindowFrame(DibSurface& back, const HostSettings& s) {
    if (s.cornerStyle == CornerStyle::kNineGrid) return;
    GpGraphics* g = back.Graphics();
    RectF content = ContentRect(back);
    RectF outer = Inflate(content, -1, -1), inner = Inflate(content, -2, -2);
    ARGB grey = Argb(0x606060, 204), white = Argb(0xFFFFFF, 102);
    if (s.cornerStyle != CornerStyle::kSquare) {
        DrawRoundRect(g, outer, 7, grey);
        DrawRoundRect(g, inner, 6, white);
    } else {
        DrawFrame(g, outer, grey);
        DrawFrame(g, inner, white);
    }
}

void ApplyWindowShape(HWND window, DibSurface& back, const HostSettings& s) {
    bool rounded = s.cornerStyle != CornerStyle::kSquare;
    if (!s.IsLayered()) {
        int c = IsZoomed(window) ? 5 : 6;
        int ellipse = rounded ? 5 : 0;
        HRGN region =
            CreateRoundRectRgn(c, c, back.Width() - c + 1, back.Height() - c + 1, ellipse, ellipse);
        SetWindowRgn(window, region, IsWindowVisible(window));  // the system owns it now
        return;
    }
    if (!(s.captionFlags & kCaptionSoftShadow)) return;
    static constexpr int kAlphas[4] = {45, 25, 10, 5};
    static constexpr float kRoundArcs[4] = {10, 12, 15, 18};
    static constexpr float kSquareArcs[4] = {1, 4, 7, 11};
    RectF outline = ContentRect(back);
    for (int i = 0; i < 4; ++i) {
        float arc = rounded ? kRoundArcs[i] : kSquareArcs[i];
        DrawRoundRect(back.Graphics(), outline, arc, ArgbFromColorRef(s.shadowColor, kAlphas[i]));
        outline = Inflate(outline, 1, 1);
    }
}

RegionPtr HostClipRegion(const HostSettings& s, int width, int height) {
    if (s.cornerStyle == CornerStyle::kNineGrid) return nullptr;
    return RoundRegion(7, 7, width - 6, height - 6, s.cornerStyle != CornerStyle::kSquare ? 3 : 0);
}

}  // namespace ui

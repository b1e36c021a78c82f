#include "toolkit/controls/menu_painter.h"

#include "toolkit/core/shapes.h"

namespace ui {

void PaintMenuBackground(GpGraphics* g, int width, int height, ARGB accent) {
    gp::GdipGraphicsClear(g, Argb(0xFFFFFF, 0));
    float w = static_cast<float>(width), h = static_cast<float>(height);
    RectF panel{6, 6, w - 12, h - 12};
    FillRoundRect(g, panel, 4, Argb(0xFFFFFF, 234));
    DrawRoundRect(g, panel, 4, Argb(0, 125));
    // A soft shadow: three more outlines, each a pixel further out and fainter.
    const float arcs[3] = {7, 10, 13};
    const int alphas[3] = {35, 15, 5};
    for (int i = 0; i < 3; ++i) {
        panel = Inflate(panel, 1, 1);
        DrawRoundRect(g, panel, arcs[i], Argb(0, alphas[i]));
    }
    RectF column{8, 8, 24, h - 16};
    FillRoundRect(g, column, 3, Argb(accent, 102));
    DrawRoundRect(g, column, 3, Argb(accent, 51));
}

}  // namespace ui

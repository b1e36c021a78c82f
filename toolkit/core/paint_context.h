// What an element is given while it is drawn or composed.
#pragma once

#include "toolkit/core/gdiplus_api.h"
#include "toolkit/core/geometry.h"

namespace ui {

struct PaintContext {
    HDC hostDc = nullptr;
    GpGraphics* hostGraphics = nullptr;
    HDC backgroundDc = nullptr;
    GpGraphics* backgroundGraphics = nullptr;
    GpImage* bitmap = nullptr;    // the element's backing bitmap
    GpImage* snapshot = nullptr;  // its previous look during a transition
    int framesShown = 0;
    int frames = 0;
    RectF rect;
    RectF clipBounds;
};

}  // namespace ui

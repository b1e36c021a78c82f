#include "toolkit/core/clip.h"

namespace ui {

RectF ClipBounds(GpGraphics* graphics) {
    Gdiplus::RectF bounds;
    if (graphics) gp::GdipGetClipBounds(graphics, &bounds);
    return {bounds.X, bounds.Y, bounds.Width, bounds.Height};
}

ClipScope::ClipScope(GpGraphics* graphics, const RectF& rect) : graphics_(graphics) {
    GpRegion* region = nullptr;
    gp::GdipCreateRegion(&region);
    saved_.reset(region);
    gp::GdipGetClip(graphics_, region);
    gp::GdipSetClipRect(graphics_, rect.x, rect.y, rect.width, rect.height,
                        Gdiplus::CombineModeIntersect);
}

ClipScope::~ClipScope() {
    gp::GdipSetClipRegion(graphics_, saved_.get(), Gdiplus::CombineModeReplace);
}

}  // namespace ui

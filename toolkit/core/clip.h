// The clip of a GDI+ graphics: its bounds, and a scope that narrows it and puts it back.
#pragma once

#include "toolkit/core/gdiplus_api.h"
#include "toolkit/core/geometry.h"

namespace ui {

RectF ClipBounds(GpGraphics* graphics);

// Intersects the clip with `rect` for the life of the scope; the clip before is restored.
class ClipScope {
  public:
    ClipScope(GpGraphics* graphics, const RectF& rect);
    ~ClipScope();
    ClipScope(const ClipScope&) = delete;
    ClipScope& operator=(const ClipScope&) = delete;

  private:
    GpGraphics* graphics_;
    RegionPtr saved_;
};

}  // namespace ui

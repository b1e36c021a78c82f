// GDI+ flat API with the headers it needs, and owning handles for its objects.
#pragma once

#include <windows.h>
// gdiplus.h needs the COM declarations, which the lean windows.h leaves out.
#include <objidl.h>
// The flat API itself.
#include <gdiplus.h>

#include <memory>

namespace ui {

namespace gp = Gdiplus::DllExports;
using Gdiplus::ARGB;
using Gdiplus::GpBitmap;
using Gdiplus::GpBrush;
using Gdiplus::GpFont;
using Gdiplus::GpGraphics;
using Gdiplus::GpImage;
using Gdiplus::GpImageAttributes;
using Gdiplus::GpPath;
using Gdiplus::GpPen;
using Gdiplus::GpRegion;
using Gdiplus::GpStringFormat;

struct GpImageDeleter {
    void operator()(GpImage* p) const { gp::GdipDisposeImage(p); }
};
struct GpGraphicsDeleter {
    void operator()(GpGraphics* p) const { gp::GdipDeleteGraphics(p); }
};
struct GpFontDeleter {
    void operator()(GpFont* p) const { gp::GdipDeleteFont(p); }
};
struct GpStringFormatDeleter {
    void operator()(GpStringFormat* p) const { gp::GdipDeleteStringFormat(p); }
};
struct GpRegionDeleter {
    void operator()(GpRegion* p) const { gp::GdipDeleteRegion(p); }
};
struct GpPathDeleter {
    void operator()(GpPath* p) const { gp::GdipDeletePath(p); }
};
struct GpPenDeleter {
    void operator()(GpPen* p) const { gp::GdipDeletePen(p); }
};
struct GpBrushDeleter {
    void operator()(GpBrush* p) const { gp::GdipDeleteBrush(p); }
};
struct GpImageAttributesDeleter {
    void operator()(GpImageAttributes* p) const { gp::GdipDisposeImageAttributes(p); }
};

// Bitmaps are images; one owner type serves both.
using ImagePtr = std::unique_ptr<GpImage, GpImageDeleter>;
using GraphicsPtr = std::unique_ptr<GpGraphics, GpGraphicsDeleter>;
using FontPtr = std::unique_ptr<GpFont, GpFontDeleter>;
using StringFormatPtr = std::unique_ptr<GpStringFormat, GpStringFormatDeleter>;
using RegionPtr = std::unique_ptr<GpRegion, GpRegionDeleter>;
using PathPtr = std::unique_ptr<GpPath, GpPathDeleter>;
using PenPtr = std::unique_ptr<GpPen, GpPenDeleter>;
using BrushPtr = std::unique_ptr<GpBrush, GpBrushDeleter>;
using ImageAttributesPtr = std::unique_ptr<GpImageAttributes, GpImageAttributesDeleter>;

inline GpBitmap* AsBitmap(GpImage* image) {
    return static_cast<GpBitmap*>(image);
}

// A new 32bppARGB bitmap with a graphics that draws smoothly (anti-alias, grid-fitted text).
ImagePtr NewArgbBitmap(int width, int height);
GraphicsPtr NewSmoothGraphics(GpImage* image);
void MakeSmooth(GpGraphics* graphics);

}  // namespace ui

// GDI+ flat API with the headers it needs, and owning handles for its objects.
#pragma once

#include <windows.h>
// gdiplus.h needs the COM declarations, which the lean windows.h leaves out.
#include <objidl.h>
// The flat API itself.
#include <gdiplus.h>

#include <memory>

#include "runtime/dll_calls_win32.h"

namespace ui {

// GDI+ is no library the system always takes from its own folder (Windows 7 does not count it
// among its known libraries), so it is not imported: each function is bound at its first call,
// from the system folder (runtime/dll_calls_win32.h). gp::GdipX takes the same arguments as the
// flat API's GdipX.
namespace gp {
#define VS_GDIPLUS_CALL(name) \
    inline rt::DllCallSlot<decltype(Gdiplus::DllExports::name)> name{"gdiplus.dll", #name};
inline rt::DllCallSlot<decltype(Gdiplus::GdiplusStartup)> GdiplusStartup{"gdiplus.dll",
                                                                         "GdiplusStartup"};
// clang-format off
VS_GDIPLUS_CALL(GdipAddPathArc)
VS_GDIPLUS_CALL(GdipBitmapGetPixel)
VS_GDIPLUS_CALL(GdipBitmapLockBits)
VS_GDIPLUS_CALL(GdipBitmapUnlockBits)
VS_GDIPLUS_CALL(GdipCloneBitmapArea)
VS_GDIPLUS_CALL(GdipCloneImage)
VS_GDIPLUS_CALL(GdipClosePathFigure)
VS_GDIPLUS_CALL(GdipCreateBitmapFromHICON)
VS_GDIPLUS_CALL(GdipCreateBitmapFromScan0)
VS_GDIPLUS_CALL(GdipCreateFont)
VS_GDIPLUS_CALL(GdipCreateFontFamilyFromName)
VS_GDIPLUS_CALL(GdipCreateImageAttributes)
VS_GDIPLUS_CALL(GdipCreateLineBrushFromRect)
VS_GDIPLUS_CALL(GdipCreatePath)
VS_GDIPLUS_CALL(GdipCreatePathGradientFromPath)
VS_GDIPLUS_CALL(GdipCreateRegion)
VS_GDIPLUS_CALL(GdipCreateRegionHrgn)
VS_GDIPLUS_CALL(GdipCreateSolidFill)
VS_GDIPLUS_CALL(GdipCreateStringFormat)
VS_GDIPLUS_CALL(GdipDeleteBrush)
VS_GDIPLUS_CALL(GdipDeleteFont)
VS_GDIPLUS_CALL(GdipDeleteFontFamily)
VS_GDIPLUS_CALL(GdipDeleteGraphics)
VS_GDIPLUS_CALL(GdipDeletePath)
VS_GDIPLUS_CALL(GdipDeletePen)
VS_GDIPLUS_CALL(GdipDeleteRegion)
VS_GDIPLUS_CALL(GdipDeleteStringFormat)
VS_GDIPLUS_CALL(GdipDisposeImage)
VS_GDIPLUS_CALL(GdipDisposeImageAttributes)
VS_GDIPLUS_CALL(GdipDrawImageRect)
VS_GDIPLUS_CALL(GdipDrawImageRectI)
VS_GDIPLUS_CALL(GdipDrawImageRectRect)
VS_GDIPLUS_CALL(GdipDrawPath)
VS_GDIPLUS_CALL(GdipDrawRectangle)
VS_GDIPLUS_CALL(GdipDrawString)
VS_GDIPLUS_CALL(GdipFillPath)
VS_GDIPLUS_CALL(GdipFillRectangle)
VS_GDIPLUS_CALL(GdipGetClip)
VS_GDIPLUS_CALL(GdipGetClipBounds)
VS_GDIPLUS_CALL(GdipGetCompositingMode)
VS_GDIPLUS_CALL(GdipGetFamilyName)
VS_GDIPLUS_CALL(GdipGetFontHeight)
VS_GDIPLUS_CALL(GdipGetFontSize)
VS_GDIPLUS_CALL(GdipGetFontStyle)
VS_GDIPLUS_CALL(GdipGetImageEncoders)
VS_GDIPLUS_CALL(GdipGetImageEncodersSize)
VS_GDIPLUS_CALL(GdipGetImageGraphicsContext)
VS_GDIPLUS_CALL(GdipGetImageHeight)
VS_GDIPLUS_CALL(GdipGetImagePixelFormat)
VS_GDIPLUS_CALL(GdipGetImageWidth)
VS_GDIPLUS_CALL(GdipGetPropertyItem)
VS_GDIPLUS_CALL(GdipGetPropertyItemSize)
VS_GDIPLUS_CALL(GdipGetRegionBounds)
VS_GDIPLUS_CALL(GdipGetSmoothingMode)
VS_GDIPLUS_CALL(GdipGraphicsClear)
VS_GDIPLUS_CALL(GdipImageGetFrameCount)
VS_GDIPLUS_CALL(GdipImageSelectActiveFrame)
VS_GDIPLUS_CALL(GdipLoadImageFromStream)
VS_GDIPLUS_CALL(GdipMeasureCharacterRanges)
VS_GDIPLUS_CALL(GdipMeasureString)
VS_GDIPLUS_CALL(GdipResetClip)
VS_GDIPLUS_CALL(GdipSaveImageToStream)
VS_GDIPLUS_CALL(GdipSetClipPath)
VS_GDIPLUS_CALL(GdipSetClipRect)
VS_GDIPLUS_CALL(GdipSetClipRegion)
VS_GDIPLUS_CALL(GdipSetCompositingMode)
VS_GDIPLUS_CALL(GdipSetCompositingQuality)
VS_GDIPLUS_CALL(GdipSetImageAttributesColorMatrix)
VS_GDIPLUS_CALL(GdipSetImageAttributesWrapMode)
VS_GDIPLUS_CALL(GdipSetInterpolationMode)
VS_GDIPLUS_CALL(GdipSetPenDashStyle)
VS_GDIPLUS_CALL(GdipSetSmoothingMode)
VS_GDIPLUS_CALL(GdipSetStringFormatAlign)
VS_GDIPLUS_CALL(GdipSetStringFormatFlags)
VS_GDIPLUS_CALL(GdipSetStringFormatHotkeyPrefix)
VS_GDIPLUS_CALL(GdipSetStringFormatLineAlign)
VS_GDIPLUS_CALL(GdipSetStringFormatMeasurableCharacterRanges)
VS_GDIPLUS_CALL(GdipSetStringFormatTrimming)
VS_GDIPLUS_CALL(GdipSetTextRenderingHint)
// clang-format on
#undef VS_GDIPLUS_CALL
}  // namespace gp
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

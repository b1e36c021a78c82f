#include "toolkit/core/gdiplus_api.h"

namespace ui {

ImagePtr NewArgbBitmap(int width, int height) {
    GpBitmap* bitmap = nullptr;
    if (width < 1) width = 1;
    if (height < 1) height = 1;
    gp::GdipCreateBitmapFromScan0(width, height, 0, PixelFormat32bppARGB, nullptr, &bitmap);
    return ImagePtr(bitmap);
}

void MakeSmooth(GpGraphics* graphics) {
    if (!graphics) return;
    gp::GdipSetSmoothingMode(graphics, Gdiplus::SmoothingModeAntiAlias);
    gp::GdipSetTextRenderingHint(graphics, Gdiplus::TextRenderingHintAntiAliasGridFit);
}

GraphicsPtr NewSmoothGraphics(GpImage* image) {
    GpGraphics* graphics = nullptr;
    if (image) gp::GdipGetImageGraphicsContext(image, &graphics);
    MakeSmooth(graphics);
    return GraphicsPtr(graphics);
}

}  // namespace ui

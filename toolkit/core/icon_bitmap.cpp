#include "toolkit/core/icon_bitmap.h"

#include <cstdint>
#include <vector>

namespace ui {

namespace {

// The colour bitmap's pixels as top-down 32-bit BGRA rows; empty unless it has 32 bits.
std::vector<std::uint32_t> ColourPixels(HBITMAP colour, int& width, int& height) {
    BITMAP info{};
    if (!colour || !GetObjectW(colour, sizeof info, &info) || info.bmBitsPixel != 32) return {};
    width = info.bmWidth;
    height = info.bmHeight;
    BITMAPINFO header{};
    header.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    header.bmiHeader.biWidth = width;
    header.bmiHeader.biHeight = -height;
    header.bmiHeader.biPlanes = 1;
    header.bmiHeader.biBitCount = 32;
    header.bmiHeader.biCompression = BI_RGB;
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width) * height);
    HDC screen = GetDC(nullptr);
    int rows = GetDIBits(screen, colour, 0, height, pixels.data(), &header, DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    return rows == height ? pixels : std::vector<std::uint32_t>{};
}

bool HasAlpha(const std::vector<std::uint32_t>& pixels) {
    for (std::uint32_t p : pixels) {
        if (p >> 24) return true;
    }
    return false;
}

ImagePtr CopyOf(std::vector<std::uint32_t>& pixels, int width, int height) {
    GpBitmap* view = nullptr;
    gp::GdipCreateBitmapFromScan0(width, height, width * 4, PixelFormat32bppARGB,
                                  reinterpret_cast<BYTE*>(pixels.data()), &view);
    ImagePtr viewOwner(view);
    ImagePtr copy = NewArgbBitmap(width, height);
    if (GraphicsPtr graphics = NewSmoothGraphics(copy.get()); graphics && view) {
        gp::GdipSetCompositingMode(graphics.get(), Gdiplus::CompositingModeSourceCopy);
        gp::GdipDrawImageRectI(graphics.get(), view, 0, 0, width, height);
    }
    return copy;
}

}  // namespace

ImagePtr BitmapFromIcon(HICON icon) {
    ICONINFO info{};
    if (!icon || !GetIconInfo(icon, &info)) return nullptr;
    int width = 0, height = 0;
    std::vector<std::uint32_t> pixels = ColourPixels(info.hbmColor, width, height);
    if (info.hbmColor) DeleteObject(info.hbmColor);
    if (info.hbmMask) DeleteObject(info.hbmMask);
    if (!pixels.empty() && HasAlpha(pixels)) return CopyOf(pixels, width, height);
    GpBitmap* bitmap = nullptr;  // no alpha channel: the mask gives the transparency
    gp::GdipCreateBitmapFromHICON(icon, &bitmap);
    return ImagePtr(bitmap);
}

}  // namespace ui

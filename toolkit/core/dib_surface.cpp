#include "toolkit/core/dib_surface.h"

#include <cstring>

namespace ui {

bool DibSurface::Create(int width, int height) {
    Release();
    if (width < 1) width = 1;
    if (height < 1) height = 1;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down: row 0 is the top of the window
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    info.bmiHeader.biSizeImage = static_cast<DWORD>(width * height * 4);

    HDC screen = GetDC(nullptr);
    dc_ = CreateCompatibleDC(screen);
    ReleaseDC(nullptr, screen);
    void* bits = nullptr;
    dib_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!dc_ || !dib_) {
        Release();
        return false;
    }
    bits_ = static_cast<std::uint32_t*>(bits);
    width_ = width;
    height_ = height;
    previous_ = SelectObject(dc_, dib_);

    GpBitmap* bitmap = nullptr;
    gp::GdipCreateBitmapFromScan0(width, height, width * 4, PixelFormat32bppPARGB,
                                  reinterpret_cast<BYTE*>(bits_), &bitmap);
    bitmap_.reset(bitmap);
    graphics_ = NewSmoothGraphics(bitmap);
    return graphics_ != nullptr;
}

void DibSurface::Release() {
    graphics_.reset();
    bitmap_.reset();
    if (dc_ && previous_) SelectObject(dc_, previous_);
    if (dib_) DeleteObject(dib_);
    if (dc_) DeleteDC(dc_);
    dc_ = nullptr;
    dib_ = nullptr;
    previous_ = nullptr;
    bits_ = nullptr;
    width_ = height_ = 0;
}

std::uint32_t DibSurface::Pixel(int x, int y) const {
    if (!bits_ || x < 0 || y < 0 || x >= width_ || y >= height_) return 0;
    Sync();
    return Row(y)[x];
}

void DibSurface::ClearAll() {
    if (!bits_) return;
    Sync();
    std::memset(bits_, 0, static_cast<std::size_t>(width_) * height_ * 4);
}

}  // namespace ui

// An off-screen 32-bit image that both GDI and GDI+ can draw into: a top-down DIB section
// selected into a memory DC, with a premultiplied-ARGB GDI+ bitmap over the same pixels (the
// layout UpdateLayeredWindow wants) and a smooth GDI+ graphics on it.
#pragma once

#include <cstdint>

#include "toolkit/core/gdiplus_api.h"

namespace ui {

class DibSurface {
  public:
    DibSurface() = default;
    ~DibSurface() { Release(); }
    DibSurface(const DibSurface&) = delete;
    DibSurface& operator=(const DibSurface&) = delete;

    // Replaces any previous image by a transparent one of the given size.
    bool Create(int width, int height);
    void Release();

    bool IsValid() const { return dc_ != nullptr; }
    HDC Dc() const { return dc_; }
    GpGraphics* Graphics() const { return graphics_.get(); }
    GpBitmap* Bitmap() const { return AsBitmap(bitmap_.get()); }
    int Width() const { return width_; }
    int Height() const { return height_; }

    // Premultiplied ARGB of one pixel; 0 outside the image.
    std::uint32_t Pixel(int x, int y) const;
    std::uint32_t* Row(int y) const { return bits_ + static_cast<std::size_t>(y) * width_; }
    // Sets every pixel to transparent black.
    void ClearAll();
    // GDI and GDI+ share the pixels: finish pending GDI work before GDI+ reads them.
    static void Sync() { GdiFlush(); }

  private:
    HDC dc_ = nullptr;
    HBITMAP dib_ = nullptr;
    HGDIOBJ previous_ = nullptr;
    std::uint32_t* bits_ = nullptr;
    int width_ = 0;
    int height_ = 0;
    ImagePtr bitmap_;
    GraphicsPtr graphics_;
};

}  // namespace ui

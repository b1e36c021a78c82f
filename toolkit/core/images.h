// Encoded images (PNG, JPEG, GIF bytes) turned into GDI+ images, and the ways the toolkit draws
// them: at an alpha, a part of an image, and nine-grid stretching.
#pragma once

#include <cstdint>
#include <span>

#include "toolkit/core/gdiplus_api.h"
#include "toolkit/core/geometry.h"

namespace ui {

using ByteView = std::span<const std::uint8_t>;

// The bytes of a constant linked in by the build (count 1, length, bytes).
ByteView EmbeddedBytes(const unsigned char* constant);

// A decoded image; animated images stay bound to the stream and memory they came from, and the
// three are released together.
class LoadedImage {
  public:
    LoadedImage() = default;
    ~LoadedImage() { Free(); }
    LoadedImage(LoadedImage&& other) noexcept { *this = std::move(other); }
    LoadedImage& operator=(LoadedImage&& other) noexcept;
    LoadedImage(const LoadedImage&) = delete;
    LoadedImage& operator=(const LoadedImage&) = delete;

    GpImage* Get() const { return image_.get(); }
    explicit operator bool() const { return image_ != nullptr; }
    ImagePtr TakeImage() { return std::move(image_); }
    // Holds an image that needs no stream (a copied bitmap).
    void Adopt(ImagePtr image);
    void Free();

  private:
    friend LoadedImage LoadImage(ByteView, bool, bool);
    ImagePtr image_;
    IStream* stream_ = nullptr;
    HGLOBAL memory_ = nullptr;
};

// Empty or undecodable bytes give an empty result. With `addSignature` the 8-byte PNG signature
// is put in front of bytes that start at the first chunk. Without `keepStream` the image is
// copied into a 32bppARGB bitmap that no longer needs the bytes.
LoadedImage LoadImage(ByteView bytes, bool addSignature = false, bool keepStream = false);

struct ImageSize {
    int width = 0;
    int height = 0;
};
ImageSize SizeOf(GpImage* image);

// How an element places its image in its rectangle.
enum class ImageDrawMode : int {
    kNatural = 0,   // natural size at the top-left
    kStretch = 1,   // stretched to the rectangle
    kCentre = 2,    // natural size, centred
    kNineGrid = 3,  // nine-grid with margins (natural size at the top-left without margins)
};

// Draws `source` (default: whole image) of the image into `dest`, at an alpha 0..255.
void DrawImageAlpha(GpGraphics* graphics, GpImage* image, const RectF& dest, int alpha = 255);
void DrawImagePart(GpGraphics* graphics, GpImage* image, const RectF& dest, const RectF& source,
                   int alpha = 255);

// Margins in image pixels; all zero means "no nine-grid".
struct Margins {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    bool IsEmpty() const { return left == 0 && top == 0 && right == 0 && bottom == 0; }
};

// Corners keep their size, edges stretch along their edge, the centre both ways. Margins that
// meet leave no middle to stretch: the edge then stretches the one seam pixel where they meet
// (column `left`, row `top`).
void DrawNineGrid(GpGraphics* graphics, GpImage* image, const RectF& dest, const Margins& margins,
                  int alpha = 255);

// Draws the image into `rect` the way `mode` says.
void DrawImageInMode(GpGraphics* graphics, GpImage* image, const RectF& rect, ImageDrawMode mode,
                     const Margins& margins = {});

// A copy of the part (x, 0, width, image height) of a strip of frames, or 0.
ImagePtr CopyImageArea(GpImage* image, float x, float width);

}  // namespace ui

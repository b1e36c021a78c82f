#include "toolkit/core/images.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <utility>

#include "runtime/dll_calls_win32.h"
#include "toolkit/core/decode_ahead.h"

namespace ui {

namespace {

constexpr std::uint8_t kPngSignature[8] = {0x89, 0x50, 0x4E, 0x47, 0x0D, 0x0A, 0x1A, 0x0A};
constexpr float kStretchOverlap = 0.01f;

// Attributes for drawing a part of an image: the alpha as a colour matrix, and mirrored
// edges, so that a stretched image does not blend its border with the transparent outside.
ImageAttributesPtr PartAttributes(int alpha) {
    GpImageAttributes* attributes = nullptr;
    gp::GdipCreateImageAttributes(&attributes);
    gp::GdipSetImageAttributesWrapMode(attributes, Gdiplus::WrapModeTileFlipXY, 0, FALSE);
    if (alpha < 255) {
        Gdiplus::ColorMatrix matrix{};
        for (int i = 0; i < 5; ++i)
            matrix.m[i][i] = 1.0f;
        matrix.m[3][3] = static_cast<float>(alpha) / 255.0f;
        gp::GdipSetImageAttributesColorMatrix(attributes, Gdiplus::ColorAdjustTypeDefault, TRUE,
                                              &matrix, nullptr, Gdiplus::ColorMatrixFlagsDefault);
    }
    return ImageAttributesPtr(attributes);
}

// The stretched middle of one axis of a nine-grid source: what lies between the two margins.
// Margins that meet (or overlap) leave no middle; then the one seam pixel where they meet
// carries the edge, so an image drawn for that can still stretch its edges.
struct Span {
    float start;
    float length;
};
Span SourceMiddle(float size, float before, float after) {
    if (size - before - after >= 1) return {before, size - before - after};
    return {std::clamp(before, 0.0f, size - 1), 1};
}

// A copy of a decoded still image as a 32bppARGB bitmap of its own. An opaque image (a JPEG)
// converts pixel by pixel, which gives what drawing it gives, many times faster; an image with
// alpha is drawn, which keeps the colours its transparent pixels had as they always were.
ImagePtr StillCopy(GpImage* decoded) {
    const ImageSize size = SizeOf(decoded);
    Gdiplus::PixelFormat format = PixelFormat32bppARGB;
    gp::GdipGetImagePixelFormat(decoded, &format);
    if (!(format & PixelFormatAlpha) && !(format & PixelFormatIndexed)) {
        GpBitmap* converted = nullptr;
        gp::GdipCloneBitmapArea(0, 0, static_cast<float>(size.width),
                                static_cast<float>(size.height), PixelFormat32bppARGB,
                                AsBitmap(decoded), &converted);
        if (converted) return ImagePtr(converted);
    }
    ImagePtr copy = NewArgbBitmap(size.width, size.height);
    if (GraphicsPtr graphics = NewSmoothGraphics(copy.get())) {
        gp::GdipDrawImageRectI(graphics.get(), decoded, 0, 0, size.width, size.height);
    }
    return copy;
}

}  // namespace

ByteView EmbeddedBytes(const unsigned char* constant) {
    std::uint32_t length = 0;
    std::memcpy(&length, constant + 4, sizeof length);
    return ByteView(constant + 8, length);
}

LoadedImage& LoadedImage::operator=(LoadedImage&& other) noexcept {
    if (this != &other) {
        Free();
        image_ = std::move(other.image_);
        stream_ = std::exchange(other.stream_, nullptr);
        memory_ = std::exchange(other.memory_, nullptr);
    }
    return *this;
}

void LoadedImage::Adopt(ImagePtr image) {
    Free();
    image_ = std::move(image);
}

void LoadedImage::Free() {
    image_.reset();
    if (stream_) stream_->Release();
    if (memory_) GlobalFree(memory_);
    stream_ = nullptr;
    memory_ = nullptr;
}

LoadedImage LoadImage(ByteView bytes, bool addSignature, bool keepStream) {
    LoadedImage result;
    if (bytes.empty()) return result;
    if (!keepStream) {
        if (std::optional<LoadedImage> ahead = TakeDecodedAhead(bytes, addSignature))
            return std::move(*ahead);
    }
    std::size_t extra = addSignature ? sizeof kPngSignature : 0;
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, bytes.size() + extra);
    if (!memory) return result;
    auto* target = static_cast<std::uint8_t*>(GlobalLock(memory));
    if (!target) {
        GlobalFree(memory);
        return result;
    }
    if (addSignature) std::memcpy(target, kPngSignature, extra);
    std::memcpy(target + extra, bytes.data(), bytes.size());
    GlobalUnlock(memory);

    IStream* stream = nullptr;
    if (rt::dll::CreateStreamOnHGlobal(memory, FALSE, &stream) != S_OK) {
        GlobalFree(memory);
        return result;
    }
    GpImage* decoded = nullptr;
    if (gp::GdipLoadImageFromStream(stream, &decoded) != Gdiplus::Ok || !decoded) {
        stream->Release();
        GlobalFree(memory);
        return result;
    }
    if (keepStream) {
        result.image_.reset(decoded);
        result.stream_ = stream;
        result.memory_ = memory;
        return result;
    }
    // A still image is copied so that the stream and its memory can go at once.
    ImagePtr owned(decoded);
    ImagePtr copy = StillCopy(decoded);
    owned.reset();
    stream->Release();
    GlobalFree(memory);
    result.image_ = std::move(copy);
    return result;
}

ImageSize SizeOf(GpImage* image) {
    ImageSize size;
    if (!image) return size;
    UINT width = 0, height = 0;
    gp::GdipGetImageWidth(image, &width);
    gp::GdipGetImageHeight(image, &height);
    size.width = static_cast<int>(width);
    size.height = static_cast<int>(height);
    return size;
}

void DrawImagePart(GpGraphics* graphics, GpImage* image, const RectF& dest, const RectF& source,
                   int alpha) {
    if (!graphics || !image || alpha <= 0 || dest.IsEmpty() || source.IsEmpty()) return;
    ImageAttributesPtr attributes = PartAttributes(alpha);
    // A stretched part reaches a hundredth of a pixel further on each side: some GDI+ builds map
    // the first pixel of the destination just before the source rectangle and leave it out,
    // which shows as a transparent seam between the parts of a nine-grid.
    float growX = dest.width != source.width ? kStretchOverlap : 0;
    float growY = dest.height != source.height ? kStretchOverlap : 0;
    gp::GdipDrawImageRectRect(graphics, image, dest.x - growX, dest.y - growY,
                              dest.width + 2 * growX, dest.height + 2 * growY, source.x, source.y,
                              source.width, source.height, Gdiplus::UnitPixel, attributes.get(),
                              nullptr, nullptr);
}

void DrawImageAlpha(GpGraphics* graphics, GpImage* image, const RectF& dest, int alpha) {
    if (!graphics || !image || alpha <= 0) return;
    ImageSize size = SizeOf(image);
    bool sameSize = dest.width == size.width && dest.height == size.height;
    if (alpha >= 255 && sameSize) {
        gp::GdipDrawImageRect(graphics, image, dest.x, dest.y, dest.width, dest.height);
        return;
    }
    DrawImagePart(graphics, image, dest,
                  {0, 0, static_cast<float>(size.width), static_cast<float>(size.height)}, alpha);
}

void DrawNineGrid(GpGraphics* graphics, GpImage* image, const RectF& dest, const Margins& m,
                  int alpha) {
    ImageSize size = SizeOf(image);
    if (!graphics || !image || size.width == 0 || size.height == 0) return;
    float W = static_cast<float>(size.width), H = static_cast<float>(size.height);
    float l = static_cast<float>(m.left), t = static_cast<float>(m.top);
    float r = static_cast<float>(m.right), b = static_cast<float>(m.bottom);
    float dw = dest.width, dh = dest.height, dx = dest.x, dy = dest.y;
    Span mx = SourceMiddle(W, l, r), my = SourceMiddle(H, t, b);
    struct Part {
        RectF source;
        RectF target;
    };
    const Part parts[9] = {
        {{0, 0, l, t}, {dx, dy, l, t}},
        {{W - r, 0, r, t}, {dx + dw - r, dy, r, t}},
        {{0, H - b, l, b}, {dx, dy + dh - b, l, b}},
        {{W - r, H - b, r, b}, {dx + dw - r, dy + dh - b, r, b}},
        {{mx.start, 0, mx.length, t}, {dx + l, dy, dw - l - r, t}},
        {{mx.start, H - b, mx.length, b}, {dx + l, dy + dh - b, dw - l - r, b}},
        {{0, my.start, l, my.length}, {dx, dy + t, l, dh - t - b}},
        {{W - r, my.start, r, my.length}, {dx + dw - r, dy + t, r, dh - t - b}},
        {{mx.start, my.start, mx.length, my.length}, {dx + l, dy + t, dw - l - r, dh - t - b}},
    };
    // A middle of one pixel is stretched from a copy of its own: drawn from the whole image,
    // the stretch would blend the pixel with its neighbours in the corners.
    bool singlePixelMiddle = mx.length <= 1 || my.length <= 1;
    for (int i = 0; i < 9; ++i) {
        const Part& part = parts[i];
        if (i < 4 || !singlePixelMiddle) {
            DrawImagePart(graphics, image, part.target, part.source, alpha);
            continue;
        }
        GpBitmap* copy = nullptr;
        gp::GdipCloneBitmapArea(part.source.x, part.source.y, part.source.width, part.source.height,
                                PixelFormat32bppARGB, AsBitmap(image), &copy);
        ImagePtr owned(copy);
        DrawImagePart(graphics, owned.get(), part.target,
                      {0, 0, part.source.width, part.source.height}, alpha);
    }
}

void DrawImageInMode(GpGraphics* graphics, GpImage* image, const RectF& rect, ImageDrawMode mode,
                     const Margins& margins) {
    ImageSize size = SizeOf(image);
    float iw = static_cast<float>(size.width), ih = static_cast<float>(size.height);
    switch (mode) {
        case ImageDrawMode::kStretch:
            DrawImageAlpha(graphics, image, rect);
            return;
        case ImageDrawMode::kCentre:
            DrawImageAlpha(graphics, image,
                           {std::round(rect.x - (iw - rect.width) / 2),
                            std::round(rect.y - (ih - rect.height) / 2), iw, ih});
            return;
        case ImageDrawMode::kNineGrid:
            if (!margins.IsEmpty()) {
                DrawNineGrid(graphics, image, rect, margins);
                return;
            }
            [[fallthrough]];
        default:
            DrawImageAlpha(graphics, image, {rect.x, rect.y, iw, ih});
    }
}

ImagePtr CopyImageArea(GpImage* image, float x, float width) {
    ImageSize size = SizeOf(image);
    if (!image || width <= 0 || size.height <= 0) return nullptr;
    Gdiplus::PixelFormat format = PixelFormat32bppARGB;
    gp::GdipGetImagePixelFormat(image, &format);
    GpBitmap* area = nullptr;
    gp::GdipCloneBitmapArea(x, 0, width, static_cast<float>(size.height), format, AsBitmap(image),
                            &area);
    return ImagePtr(area);
}

}  // namespace ui

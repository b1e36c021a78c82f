// HostWindow: the whole-window refresh, repainting of dirty rectangles, composition of the
// element tree and presentation.
#include <algorithm>
#include <cmath>

#include "toolkit/core/host_window.h"
#include "toolkit/core/shapes.h"

namespace ui {

namespace {

RegionPtr RoundRegion(int left, int top, int right, int bottom, int ellipse) {
    HRGN gdiRegion = CreateRoundRectRgn(left, top, right, bottom, ellipse, ellipse);
    GpRegion* region = nullptr;
    gp::GdipCreateRegionHrgn(gdiRegion, &region);
    DeleteObject(gdiRegion);
    return RegionPtr(region);
}

RectF ClipBounds(GpGraphics* g) {
    Gdiplus::RectF bounds;
    gp::GdipGetClipBounds(g, &bounds);
    return {bounds.X, bounds.Y, bounds.Width, bounds.Height};
}

RegionPtr SaveClip(GpGraphics* g) {
    GpRegion* region = nullptr;
    gp::GdipCreateRegion(&region);
    gp::GdipGetClip(g, region);
    return RegionPtr(region);
}

void IntersectClip(GpGraphics* g, const RectF& r) {
    gp::GdipSetClipRect(g, r.x, r.y, r.width, r.height, Gdiplus::CombineModeIntersect);
}

}  // namespace

void HostWindow::Refresh(int presentMode, bool askStateRepaint) {
    if (!window_ || !back_.IsValid()) return;
    busy_ = true;
    GpGraphics* g = back_.Graphics();
    gp::GdipResetClip(g);
    back_.ClearAll();
    PaintBackground();
    if (callbacks_.backgroundPaint) callbacks_.backgroundPaint(window_, g, size_.cx, size_.cy);
    if (!window_) return;  // the callback closed the window
    if (cornerStyle_ != 1) PaintFrame();
    gp::GdipResetClip(g);
    ApplyWindowShape();
    BitBlt(background_.Dc(), 0, 0, size_.cx, size_.cy, back_.Dc(), 0, 0, SRCCOPY);
    DibSurface::Sync();
    BuildClipRegion();
    queue_.Init(this);
    LayoutCaption();
    ApplyHostClip();
    ComposeList(first_, askStateRepaint);
    gp::GdipResetClip(g);
    busy_ = false;
    if (shadowWindowFlag_ && IsLayered()) PlaceShadowWindow();
    if (presentMode == 1 && IsLayered()) {
        busy_ = true;
        fadeAlpha_ = 0;
        PresentLayered(back_.Dc(), 0);
        SetTimer(window_, reinterpret_cast<UINT_PTR>(this), 50, nullptr);
    } else {
        Present({0, 0, static_cast<float>(size_.cx), static_cast<float>(size_.cy)});
    }
}

void HostWindow::PaintBackground() {
    GpGraphics* g = back_.Graphics();
    float w = static_cast<float>(size_.cx), h = static_cast<float>(size_.cy);
    RectF whole{0, 0, w, h};
    RectF content{5, 5, w - 10, h - 10};
    GpImage* image = BackgroundImage();
    if (cornerStyle_ == 1 && image) {
        ImageSize size = SizeOf(image);
        if (nineGridMargins_.IsEmpty()) {
            DrawImageAlpha(g, image, {0, 0, float(size.width), float(size.height)});
        } else {
            DrawNineGrid(g, image, whole, nineGridMargins_);
        }
        return;
    }
    int ellipse = cornerStyle_ ? 4 : 0;
    RegionPtr shape = RoundRegion(6, 6, size_.cx - 5, size_.cy - 5, ellipse);
    gp::GdipSetClipRegion(g, shape.get(), Gdiplus::CombineModeReplace);
    int layeredAlpha = std::clamp(layeredAlpha_, 0, 255);
    if (!image) {
        FillReplacing(g, whole,
                      ArgbFromColorRef(backgroundColor_, IsLayered() ? layeredAlpha : 255));
        return;
    }
    FillReplacing(g, whole, ArgbFromColorRef(backgroundColor_, 255));
    ImageSize size = SizeOf(image);
    float iw = static_cast<float>(size.width), ih = static_cast<float>(size.height);
    if (backgroundMode_ == kBackgroundStretch) {
        DrawImageAlpha(g, image, content);
    } else if (backgroundMode_ == kBackgroundCentre) {
        DrawImageAlpha(g, image, {std::trunc((w - iw) / 2), std::trunc((h - ih) / 2), iw, ih});
    } else {
        DrawImageAlpha(g, image, {5, 5, iw, ih});
    }
    if (border_) DrawFrame(g, content, kFrameSolid);
    if (IsLayered() && layeredAlpha < 255) {
        // The finished background once more, through the window's constant alpha.
        DibSurface copy;
        copy.Create(size_.cx, size_.cy);
        BitBlt(copy.Dc(), 0, 0, size_.cx, size_.cy, back_.Dc(), 0, 0, SRCCOPY);
        DibSurface::Sync();
        FillReplacing(g, whole, 0);
        DrawImageAlpha(g, copy.Bitmap(), whole, layeredAlpha);
    }
}

void HostWindow::PaintFrame() {
    GpGraphics* g = back_.Graphics();
    RectF content{5, 5, static_cast<float>(size_.cx - 10), static_cast<float>(size_.cy - 10)};
    RectF outer = Inflate(content, -1, -1), inner = Inflate(content, -2, -2);
    ARGB grey = Argb(0x606060, 204), white = Argb(0xFFFFFF, 102);
    if (cornerStyle_ != 0) {
        DrawRoundRect(g, outer, 7, grey);
        DrawRoundRect(g, inner, 6, white);
    } else {
        DrawFrame(g, outer, grey);
        DrawFrame(g, inner, white);
    }
}

void HostWindow::ApplyWindowShape() {
    if (!IsLayered()) {
        int c = IsZoomed(window_) ? 5 : 6;
        int ellipse = cornerStyle_ ? 5 : 0;
        HRGN region =
            CreateRoundRectRgn(c, c, size_.cx - c + 1, size_.cy - c + 1, ellipse, ellipse);
        SetWindowRgn(window_, region, IsWindowVisible(window_));  // the system owns it now
        return;
    }
    if (!(captionFlags_ & kCaptionSoftShadow)) return;
    static constexpr int kAlphas[4] = {45, 25, 10, 5};
    static constexpr float kRoundArcs[4] = {10, 12, 15, 18};
    static constexpr float kSquareArcs[4] = {1, 4, 7, 11};
    RectF outline{5, 5, static_cast<float>(size_.cx - 10), static_cast<float>(size_.cy - 10)};
    for (int i = 0; i < 4; ++i) {
        float arc = cornerStyle_ ? kRoundArcs[i] : kSquareArcs[i];
        DrawRoundRect(back_.Graphics(), outline, arc, ArgbFromColorRef(shadowColor_, kAlphas[i]));
        outline = Inflate(outline, 1, 1);
    }
}

void HostWindow::BuildClipRegion() {
    clipRegion_.reset();
    if (cornerStyle_ == 1) return;
    clipRegion_ = RoundRegion(7, 7, size_.cx - 6, size_.cy - 6, cornerStyle_ ? 3 : 0);
}

void HostWindow::ApplyHostClip() {
    GpGraphics* g = back_.Graphics();
    if (clipRegion_) {
        gp::GdipSetClipRegion(g, clipRegion_.get(), Gdiplus::CombineModeReplace);
    } else {
        gp::GdipResetClip(g);
    }
}

void HostWindow::PlaceShadowWindow() {
    if (!shadowWindow_ || !IsWindow(shadowWindow_)) return;
    RECT rect{};
    GetWindowRect(window_, &rect);
    // Around the content rectangle (5 pixels in), with a margin of 6.
    SetWindowPos(shadowWindow_, window_, rect.left + 5 - 6, rect.top + 5 - 6, size_.cx - 10 + 12,
                 size_.cy - 10 + 12, SWP_NOACTIVATE);
}

void HostWindow::QueueRect(const RectF& rect, int mode) {
    queue_.Add(rect, mode);
}

void HostWindow::RepaintRect(const RectF& rect, bool present) {
    if (busy_ || !back_.IsValid()) return;
    GpGraphics* g = back_.Graphics();
    ApplyHostClip();
    IntersectClip(g, rect);
    int left = std::max(0, static_cast<int>(std::floor(rect.x)));
    int top = std::max(0, static_cast<int>(std::floor(rect.y)));
    int right = std::min<int>(size_.cx, static_cast<int>(std::ceil(rect.Right())));
    int bottom = std::min<int>(size_.cy, static_cast<int>(std::ceil(rect.Bottom())));
    if (right > left && bottom > top) {
        BitBlt(back_.Dc(), left, top, right - left, bottom - top, background_.Dc(), left, top,
               SRCCOPY);
        DibSurface::Sync();
        ComposeList(first_, false);
    }
    gp::GdipResetClip(g);
    if (present) Present(rect);
}

void HostWindow::ComposeList(Element* first, bool askStateRepaint) {
    for (Element* element = first; element;) {
        Element* next = element->next_;  // a handler may unlink the element
        ComposeElement(element, askStateRepaint);
        element = element->IsCreated() ? element->next_ : next;
    }
}

void HostWindow::ComposeElement(Element* element, bool askStateRepaint) {
    GpGraphics* g = back_.Graphics();
    if (!element->visible_) return;
    RectF clip = ClipBounds(g);
    if (!Intersects(element->rect_, clip)) return;
    if (askStateRepaint) {
        element->Deliver(kMsgStateRepaint, 0, 0);
        if (!element->IsCreated()) return;
    }
    PaintContext context = element->MakePaintContext();
    context.clipBounds = clip;
    if (element->disabled_) {
        int alpha = element->alpha_;
        if (element->Deliver(kMsgDisabledAlpha, 0, 1) == -1) alpha = alpha / 2;
        if (!element->IsCreated()) return;
        DrawImageAlpha(g, element->bitmap_.get(), element->rect_, alpha);
    } else if (element->animationInterval_ && element->animationFrames_ &&
               element->animationFrame_ != element->animationFrames_) {
        PaintContext copy = context;
        int drawn = element->Deliver(kMsgCustomTransition, 0, reinterpret_cast<LPARAM>(&copy));
        if (!element->IsCreated()) return;
        if (drawn < 1) DrawTransition(element, context);
    } else {
        DrawImageAlpha(g, element->bitmap_.get(), element->rect_, element->alpha_);
    }
    if (element->firstChild_) {
        RegionPtr saved = SaveClip(g);
        IntersectClip(g, element->rect_);
        ComposeList(element->firstChild_, askStateRepaint);
        gp::GdipSetClipRegion(g, saved.get(), Gdiplus::CombineModeReplace);
    }
}

void HostWindow::DrawTransition(Element* element, const PaintContext& context) {
    GpGraphics* g = back_.Graphics();
    const RectF r = element->rect_;
    int frames = std::max(1, element->animationFrames_);
    int frame = element->animationFrame_;
    GpImage* next = element->bitmap_.get();
    GpImage* old = context.snapshot;
    int alpha = element->alpha_;
    if (element->transitionStyle_ < kSlideDown || element->transitionStyle_ > kSlideLeft) {
        // Cross-fade: the old look, and the new one growing in over it.
        DrawImageAlpha(g, old, r, alpha);
        DrawImageAlpha(g, next, r, alpha * frame / frames);
        return;
    }
    bool vertical = element->transitionStyle_ <= kSlideUp;
    float span = vertical ? r.height : r.width;
    float offset = std::trunc(span / frames) * frame;
    float dx = 0, dy = 0;
    switch (element->transitionStyle_) {
        case kSlideDown:
            dy = offset;
            break;
        case kSlideUp:
            dy = -offset;
            break;
        case kSlideRight:
            dx = offset;
            break;
        default:
            dx = -offset;
            break;
    }
    // The new look follows the old one, one element size behind it.
    float followX = dx > 0 ? -r.width : (dx < 0 ? r.width : 0);
    float followY = dy > 0 ? -r.height : (dy < 0 ? r.height : 0);
    RegionPtr saved = SaveClip(g);
    IntersectClip(g, r);
    DrawImageAlpha(g, old, Offset(r, dx, dy), alpha);
    DrawImageAlpha(g, next, Offset(r, dx + followX, dy + followY), alpha);
    gp::GdipSetClipRegion(g, saved.get(), Gdiplus::CombineModeReplace);
}

void HostWindow::Present(const RectF& rect) {
    if (busy_ || !window_ || !back_.IsValid()) return;
    ++presentCount_;
    if (IsLayered()) {
        PresentLayered(back_.Dc(), 255);
        return;
    }
    int x = static_cast<int>(rect.x), y = static_cast<int>(rect.y);
    BitBlt(windowDc_, x, y, static_cast<int>(rect.width), static_cast<int>(rect.height), back_.Dc(),
           x, y, SRCCOPY);
}

void HostWindow::PresentLayered(HDC source, int constantAlpha) {
    POINT origin{0, 0};
    SIZE size = size_;
    BLENDFUNCTION blend{AC_SRC_OVER, 0, static_cast<BYTE>(std::clamp(constantAlpha, 0, 255)),
                        AC_SRC_ALPHA};
    UpdateLayeredWindow(window_, nullptr, nullptr, &size, source, &origin, 0, &blend, ULW_ALPHA);
}

}  // namespace ui

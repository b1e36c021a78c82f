#include "toolkit/core/compositor.h"

#include <algorithm>
#include <cmath>

#include "toolkit/core/clip.h"
#include "toolkit/core/element_tree.h"
#include "toolkit/core/shapes.h"
#include "toolkit/core/text_render.h"
#include "toolkit/core/transitions.h"
#include "toolkit/core/window_background.h"

namespace ui {

namespace {

RectF WholeOf(const DibSurface& surface) {
    return {0, 0, static_cast<float>(surface.Width()), static_cast<float>(surface.Height())};
}

SIZE WindowSize(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return {rect.right - rect.left, rect.bottom - rect.top};
}

}  // namespace

Compositor::Compositor(const HostSettings& settings, const ElementTree& elements)
    : settings_(settings), elements_(elements) {}

// ---- Surfaces

void Compositor::Attach(HWND window) {
    window_ = window;
    windowDc_.Acquire(window);
    SIZE size = WindowSize(window);
    back_.Create(size.cx, size.cy);
    background_.Create(size.cx, size.cy);
}

bool Compositor::FollowWindowSize() {
    SIZE size = WindowSize(window_);
    if (size.cx == back_.Width() && size.cy == back_.Height()) return false;
    back_.Create(size.cx, size.cy);
    background_.Create(size.cx, size.cy);
    return true;
}

void Compositor::Release() {
    queue_.Clear();
    flushRequested_ = false;
    clipRegion_.reset();
    ownBackground_.reset();
    externalBackground_ = nullptr;
    back_.Release();
    background_.Release();
    windowDc_.Release();
    window_ = nullptr;
}

void Compositor::FillPaintContext(PaintContext& context) const {
    context.hostDc = back_.Dc();
    context.hostGraphics = back_.Graphics();
    context.backgroundDc = background_.Dc();
    context.backgroundGraphics = background_.Graphics();
    if (context.hostGraphics) context.clipBounds = ClipBounds(context.hostGraphics);
}

// ---- Background image

void Compositor::SetBackgroundImage(ByteView bytes) {
    ownBackground_ = LoadImage(bytes).TakeImage();
    externalBackground_ = nullptr;
}

void Compositor::SetExternalBackgroundImage(GpImage* image) {
    ownBackground_.reset();
    externalBackground_ = image;
}

GpImage* Compositor::BackgroundImage() const {
    return externalBackground_ ? externalBackground_ : ownBackground_.get();
}

bool Compositor::BackgroundIsDark(const RectF& rect) const {
    if (!BackgroundImage() || !background_.IsValid()) {
        return IsDark(ArgbFromColorRef(settings_.backgroundColor, 255));
    }
    int dark = 0;
    for (float fy : {0.2f, 0.5f, 0.8f}) {
        for (float fx : {0.2f, 0.5f, 0.8f}) {
            std::uint32_t p = background_.Pixel(static_cast<int>(rect.x + rect.width * fx),
                                                static_cast<int>(rect.y + rect.height * fy));
            int alpha = static_cast<int>(p >> 24);
            // The buffer is premultiplied: undo it before judging the colour.
            auto channel = [&](int shift) {
                int value = static_cast<int>((p >> shift) & 0xFF);
                return alpha ? std::min(255, value * 255 / alpha) : 0;
            };
            ARGB colour = Argb((channel(16) << 16) | (channel(8) << 8) | channel(0), 255);
            if (IsDark(colour)) ++dark;
        }
    }
    return dark > 4;
}

// ---- Whole-window refresh

void Compositor::PaintBackground() {
    gp::GdipResetClip(back_.Graphics());
    back_.ClearAll();
    PaintWindowBackground(back_, settings_, BackgroundImage());
}

void Compositor::FinishBackground() {
    GpGraphics* g = back_.Graphics();
    PaintWindowFrame(back_, settings_);
    gp::GdipResetClip(g);
    ApplyWindowShape(window_, back_, settings_);
    BitBlt(background_.Dc(), 0, 0, Width(), Height(), back_.Dc(), 0, 0, SRCCOPY);
    DibSurface::Sync();
    clipRegion_ = HostClipRegion(settings_, Width(), Height());
}

void Compositor::ComposeAll(bool askStateRepaint) {
    ApplyHostClip();
    ComposeList(elements_.First(), askStateRepaint);
    gp::GdipResetClip(back_.Graphics());
}

void Compositor::ApplyHostClip() {
    GpGraphics* g = back_.Graphics();
    if (clipRegion_) {
        gp::GdipSetClipRegion(g, clipRegion_.get(), Gdiplus::CombineModeReplace);
    } else {
        gp::GdipResetClip(g);
    }
}

// ---- Dirty rectangles

void Compositor::QueueRect(const RectF& rect, RepaintMode mode) {
    if (mode == RepaintMode::kNow) {
        RepaintRect(rect, true);
    } else if (mode == RepaintMode::kFirst) {
        queue_.AddFirst(rect);
    } else {
        queue_.Add(rect);
    }
    if (queue_.Pending()) Flush();
}

void Compositor::Invalidate(const RectF& rect) {
    queue_.Add(rect);
    if (flushRequested_ || !window_) return;
    flushRequested_ = PostMessageW(window_, kMsgRepaintRect, kRepaintFlushQueue, 0) != FALSE;
}

void Compositor::FlushRequested() {
    flushRequested_ = false;
    Flush();
}

void Compositor::Flush() {
    if (flushing_) return;  // the running flush takes the new rectangles too
    flushing_ = true;
    bool layered = IsLayered();
    while (std::optional<RectF> rect = queue_.Take()) {
        RepaintRect(*rect, !layered);
    }
    if (layered && !busy_) PresentWhole();
    flushing_ = false;
}

// ---- Composition

void Compositor::RepaintRect(const RectF& rect, bool present) {
    if (busy_ || !back_.IsValid()) return;
    GpGraphics* g = back_.Graphics();
    ApplyHostClip();
    gp::GdipSetClipRect(g, rect.x, rect.y, rect.width, rect.height, Gdiplus::CombineModeIntersect);
    int left = std::max(0, static_cast<int>(std::floor(rect.x)));
    int top = std::max(0, static_cast<int>(std::floor(rect.y)));
    int right = std::min(Width(), static_cast<int>(std::ceil(rect.Right())));
    int bottom = std::min(Height(), static_cast<int>(std::ceil(rect.Bottom())));
    if (right > left && bottom > top) {
        BitBlt(back_.Dc(), left, top, right - left, bottom - top, background_.Dc(), left, top,
               SRCCOPY);
        DibSurface::Sync();
        ComposeList(elements_.First(), false);
    }
    gp::GdipResetClip(g);
    if (present) Present(rect);
}

void Compositor::ComposeList(Element* first, bool askStateRepaint) {
    for (Element* element = first; element;) {
        Element* next = element->NextSibling();  // a handler may unlink the element
        ComposeElement(element, askStateRepaint);
        element = element->IsCreated() ? element->NextSibling() : next;
    }
}

void Compositor::ComposeElement(Element* element, bool askStateRepaint) {
    GpGraphics* g = back_.Graphics();
    if (!element->Visible()) return;
    RectF clip = ClipBounds(g);
    if (!Intersects(element->Rect(), clip)) return;
    if (askStateRepaint) {
        element->Deliver(kMsgStateRepaint, 0, 0);
        if (!element->IsCreated()) return;
    }
    if (element->Disabled()) {
        int alpha = element->Alpha();
        if (element->Deliver(kMsgDisabledAlpha, 0, 1) == -1) alpha = alpha / 2;
        if (!element->IsCreated()) return;
        DrawImageAlpha(g, element->BackingBitmap(), element->Rect(), alpha);
    } else if (element->TransitionRunning()) {
        PaintContext context = element->MakePaintContext();
        int drawn = element->Deliver(kMsgCustomTransition, 0, reinterpret_cast<LPARAM>(&context));
        if (!element->IsCreated()) return;
        if (drawn < 1) DrawDefaultTransition(g, *element);
    } else {
        DrawImageAlpha(g, element->BackingBitmap(), element->Rect(), element->Alpha());
    }
    if (element->FirstChild()) {
        ClipScope inside(g, element->Rect());
        ComposeList(element->FirstChild(), askStateRepaint);
    }
}

// ---- Presentation

void Compositor::Present(const RectF& rect) {
    if (busy_ || !window_ || !back_.IsValid()) return;
    ++presentCount_;
    if (IsLayered()) {
        PresentLayered(back_.Dc(), 255);
        return;
    }
    int x = static_cast<int>(rect.x), y = static_cast<int>(rect.y);
    BitBlt(windowDc_.Get(), x, y, static_cast<int>(rect.width), static_cast<int>(rect.height),
           back_.Dc(), x, y, SRCCOPY);
}

void Compositor::PresentWhole() {
    Present(WholeOf(back_));
}

void Compositor::PresentLayered(HDC source, int constantAlpha) {
    POINT origin{0, 0};
    SIZE size{Width(), Height()};
    BLENDFUNCTION blend{AC_SRC_OVER, 0, static_cast<BYTE>(std::clamp(constantAlpha, 0, 255)),
                        AC_SRC_ALPHA};
    UpdateLayeredWindow(window_, nullptr, nullptr, &size, source, &origin, 0, &blend, ULW_ALPHA);
}

void Compositor::StartFadeIn() {
    busy_ = true;
    fadeAlpha_ = 0;
    PresentLayered(back_.Dc(), 0);
}

bool Compositor::StepFadeIn() {
    fadeAlpha_ = std::min(255, fadeAlpha_ + 51);
    PresentLayered(back_.Dc(), fadeAlpha_);
    if (fadeAlpha_ < 255) return false;
    busy_ = false;
    PresentWhole();
    return true;
}

}  // namespace ui

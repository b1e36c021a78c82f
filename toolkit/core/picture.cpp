#include "toolkit/core/picture.h"

#include "toolkit/core/icon_bitmap.h"
#include "toolkit/core/image_frames.h"
#include "toolkit/core/shapes.h"

namespace ui {

Picture::~Picture() {
    Destroy();
}

ElementHandle Picture::Create(const ElementParent& parent, const PictureSpec& spec) {
    if (IsCreated()) Destroy();
    fixZeroDelays_ = spec.fixZeroDelays;
    Load(spec.image);
    return CreateElement(parent, spec);
}

ElementHandle Picture::CreateFromIcon(const ElementParent& parent, const PictureSpec& spec,
                                      HICON icon) {
    if (IsCreated()) Destroy();
    fixZeroDelays_ = spec.fixZeroDelays;
    source_.clear();
    image_.Adopt(BitmapFromIcon(icon));
    TakeFrames();
    return CreateElement(parent, spec);
}

ElementHandle Picture::CreateElement(const ElementParent& parent, const PictureSpec& spec) {
    animate_ = spec.animate;
    drawMode_ = spec.drawMode;
    margins_ = spec.margins;
    borderStyle_ = spec.borderStyle;
    replacement_.reset();
    ElementHandle handle = Element::Create(
        parent, {.rect = spec.rect, .type = ElementType::kPicture, .visible = spec.visible});
    if (!handle) Release();
    return handle;
}

void Picture::Load(const std::vector<std::uint8_t>& bytes) {
    source_ = bytes;
    // Kept with its stream: the frames of an animated image are read from it.
    image_ = LoadImage(ByteView(source_.data(), source_.size()), false, true);
    TakeFrames();
}

void Picture::TakeFrames() {
    frameCount_ = TimeFrameCount(image_.Get());
    currentFrame_ = frameCount_ ? 1 : 0;
    delays_ = FrameDelays(image_.Get());
    if (delays_.empty() && image_) delays_ = {10};
    if (!fixZeroDelays_) return;
    for (int& delay : delays_) {
        if (delay == 0) delay = 10;
    }
}

void Picture::Release() {
    StopTimer();
    currentFrame_ = frameCount_ = 0;
    animate_ = false;
    image_.Free();
    source_.clear();
    delays_.clear();
}

void Picture::SetAnimate(bool animate) {
    if (!IsCreated()) return;
    animate_ = animate;
    if (frameCount_ >= 1) currentFrame_ = 1;
    PaintFrame();
}

void Picture::ReplaceImage(const std::vector<std::uint8_t>& bytes,
                           std::optional<TransitionStyle> transition, int frames, int interval,
                           bool redraw) {
    if (!IsCreated()) return;
    replacement_ = transition;
    if (transition) SetTransition(*transition);
    StopTimer();
    Load(bytes);
    if (!redraw) return;
    if (transition) SetAnimationFrames(frames, interval);
    Redraw();
}

void Picture::SetBackgroundColor(ARGB colour) {
    background_ = colour;
    Redraw();
}

void Picture::PaintFrame() {
    PaintFace(true);
    if (IsCreated() && frameCount_ >= 2) ScheduleNextFrame();
}

void Picture::DrawFace(PaintContext&) {
    GpGraphics* g = BackingGraphics();
    RectF face{0, 0, static_cast<float>(Width()), static_cast<float>(Height())};
    if (background_) FillSolid(g, face, background_);
    if (GpImage* image = image_.Get()) {
        if (frameCount_ >= 2) SelectTimeFrame(image, currentFrame_ - 1);
        DrawImageInMode(g, image, face, drawMode_, margins_);
    }
    if (borderStyle_) DrawFrame(g, face, borderStyle_);
    DrawKeyboardFocusFrame(face);
}

void Picture::ScheduleNextFrame() {
    StopTimer();
    ++currentFrame_;
    if (currentFrame_ > frameCount_ || !animate_) currentFrame_ = 1;
    int delay = currentFrame_ - 1 < static_cast<int>(delays_.size()) ? delays_[currentFrame_ - 1]
                                                                     : delays_.back();
    StartTimer(static_cast<UINT>(delay) * 10);
}

// ---- Events

void Picture::OnDestroy() {
    Release();
}

void Picture::OnPaint() {
    PaintFrame();
}

void Picture::OnShown() {
    PaintFrame();
}

void Picture::OnTimer(UINT_PTR) {
    if (replacement_) return;  // the frames wait for the transition
    if (!animate_ || frameCount_ < 2) {
        StopTimer();
    } else {
        PaintFrame();
    }
}

void Picture::OnTransitionEnd() {
    SetAnimationFrames(0);
    replacement_.reset();
}

}  // namespace ui

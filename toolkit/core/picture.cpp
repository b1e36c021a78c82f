#include "toolkit/core/picture.h"

#include "toolkit/core/icon_bitmap.h"
#include "toolkit/core/image_frames.h"
#include "toolkit/core/shapes.h"

namespace ui {

namespace {

// The element's handle is the id of its frame timer (the host routes it as 275).
UINT_PTR FrameTimerId(const Picture* picture) {
    return reinterpret_cast<UINT_PTR>(picture);
}

}  // namespace

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
    transition_.reset();
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
    KillTimer(Window(), FrameTimerId(this));
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
    transition_ = transition;
    if (transition) SetTransition(*transition);
    KillTimer(Window(), FrameTimerId(this));
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
    KillTimer(Window(), FrameTimerId(this));
    ++currentFrame_;
    if (currentFrame_ > frameCount_ || !animate_) currentFrame_ = 1;
    int delay = currentFrame_ - 1 < static_cast<int>(delays_.size()) ? delays_[currentFrame_ - 1]
                                                                     : delays_.back();
    SetTimer(Window(), FrameTimerId(this), static_cast<UINT>(delay) * 10, nullptr);
}

int Picture::HandleMessage(UINT message, WPARAM, LPARAM) {
    switch (message) {
        case kMsgTimer:
            if (transition_) break;  // the frames wait for the transition
            if (!animate_ || frameCount_ < 2) {
                KillTimer(Window(), FrameTimerId(this));
            } else {
                PaintFrame();
            }
            break;
        case kMsgPaint:
        case kMsgShown:
            PaintFrame();
            break;
        case kMsgTransitionEnd:
            SetAnimationFrames(0);
            transition_.reset();
            break;
        case kMsgDestroy:
            Release();
            break;
        default:
            break;
    }
    return -1;
}

}  // namespace ui

#include "toolkit/controls/image_button.h"

namespace ui {

ImageButton::~ImageButton() {
    Destroy();
}

void ImageButton::SetImage(const std::vector<std::uint8_t>& strip, int frameCount, int spacing,
                           std::optional<ImageDrawMode> drawMode, std::optional<Margins> margins) {
    strip_ = strip;
    decoded_ = LoadImage(ByteView(strip_.data(), strip_.size()));
    frameCount_ = frameCount;
    spacing_ = spacing;
    if (drawMode) drawMode_ = *drawMode;
    if (margins) margins_ = *margins;
    Redraw();
}

float ImageButton::FrameWidth() const {
    float width = static_cast<float>(SizeOf(decoded_.Get()).width);
    return width / static_cast<float>(frameCount_) - static_cast<float>(spacing_ * frameCount_);
}

float ImageButton::FrameLeft(int state) const {
    float step = FrameWidth() + static_cast<float>(spacing_);
    switch (state) {
        case kStateHover:
        case kStateFocused:
            return step;
        case kStatePressed:
            return 2 * step;
        case kStateDisabled:
            return 3 * step;
        default:
            return 0;
    }
}

bool ImageButton::DrawCustomFace(int state, PaintContext&) {
    // Only a strip with a disabled frame shows it; the others are composed at half alpha.
    if (Disabled()) state = frameCount_ > 3 ? kStateDisabled : kStateNormal;
    if (!decoded_ || frameCount_ <= 0) return true;
    ImagePtr frame = CopyImageArea(decoded_.Get(), FrameLeft(state), FrameWidth());
    GpGraphics* g = BackingGraphics();
    RectF face{0, 0, static_cast<float>(Width()), static_cast<float>(Height() - 1)};
    ImageSize size = SizeOf(frame.get());
    switch (drawMode_) {
        case ImageDrawMode::kNatural:
            DrawImageAlpha(g, frame.get(), {0, 0, float(size.width), float(size.height)});
            break;
        case ImageDrawMode::kStretch:
            DrawImageAlpha(g, frame.get(), face);
            break;
        case ImageDrawMode::kNineGrid:
            DrawNineGrid(g, frame.get(), face, margins_);
            break;
        default:
            break;  // no frame
    }
    return true;
}

void ImageButton::BeforeContent(int, RectF& textRect, RectF&) {
    textRect.x -= 2;
}

void ImageButton::OnDestroy() {
    strip_.clear();
    decoded_.Free();
    frameCount_ = 0;
    Control::OnDestroy();
}

int ImageButton::OnDisabledAlphaQuery() {
    return frameCount_ >= 4 ? 0 : -1;
}

void ImageButton::OnFocusGained(Element*) {}
void ImageButton::OnFocusLost(Element*) {}

}  // namespace ui

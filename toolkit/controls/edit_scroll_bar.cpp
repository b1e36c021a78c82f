#include "toolkit/controls/edit_scroll_bar.h"

#include <algorithm>

#include "toolkit/core/shapes.h"

namespace ui {

namespace {

constexpr float kMinimumThumb = 12;
constexpr ARGB kTrackColour = Argb(0x000000, 20);
constexpr ARGB kThumbColour = Argb(0x000000, 90);

}  // namespace

EditScrollBar::~EditScrollBar() {
    Destroy();
}

ElementHandle EditScrollBar::Create(Element* box, ScrollOrientation orientation, const RectF& rect,
                                    bool visible) {
    orientation_ = orientation;
    total_ = page_ = position_ = 0;
    dragging_ = false;
    return Element::Create(
        box,
        {.rect = rect, .type = ElementType::kNoTabFocus, .visible = visible, .focusable = false});
}

void EditScrollBar::SetRange(int total, int page, int position) {
    total = std::max(total, 0);
    page = std::clamp(page, 0, total);
    position = std::clamp(position, 0, total - page);
    if (total == total_ && page == page_ && position == position_) return;
    total_ = total;
    page_ = page;
    position_ = position;
    PaintFace();
}

int EditScrollBar::Length() const {
    return orientation_ == ScrollOrientation::kVertical ? Height() : Width();
}

float EditScrollBar::ThumbLength() const {
    if (total_ <= 0 || page_ >= total_) return static_cast<float>(Length());
    return std::max(kMinimumThumb, static_cast<float>(Length()) * page_ / total_);
}

int EditScrollBar::MaxPosition() const {
    return std::max(total_ - page_, 0);
}

void EditScrollBar::ScrollToMouse(const MouseEvent& event) {
    const float along =
        orientation_ == ScrollOrientation::kVertical ? event.y - Rect().y : event.x - Rect().x;
    const float room = Length() - ThumbLength();
    if (room <= 0 || MaxPosition() == 0) return;
    const float share = std::clamp((along - ThumbLength() / 2) / room, 0.0f, 1.0f);
    const int position = static_cast<int>(share * MaxPosition() + 0.5f);
    if (position == position_) return;
    position_ = position;
    PaintFace();
    if (onScroll) onScroll(position_);
}

void EditScrollBar::OnPaint() {
    PaintFace();
}

void EditScrollBar::OnDestroy() {
    dragging_ = false;
}

int EditScrollBar::OnPressWithoutFocus() {
    return 0;
}

void EditScrollBar::OnMouseDown(const MouseEvent& event) {
    if (event.button != MouseButton::kLeft) return;
    dragging_ = true;
    ScrollToMouse(event);
}

void EditScrollBar::OnMouseMove(const MouseEvent& event) {
    if (dragging_) ScrollToMouse(event);
}

void EditScrollBar::OnMouseUp(const MouseEvent& event) {
    if (event.button == MouseButton::kLeft) dragging_ = false;
}

void EditScrollBar::DrawFace(PaintContext&) {
    GpGraphics* g = BackingGraphics();
    const float width = static_cast<float>(Width()), height = static_cast<float>(Height());
    FillSolid(g, {0, 0, width, height}, kTrackColour);
    if (total_ <= page_) return;
    const float thumb = ThumbLength();
    const float start = (Length() - thumb) * position_ / std::max(MaxPosition(), 1);
    const RectF face = orientation_ == ScrollOrientation::kVertical
                           ? RectF{1, start, width - 2, thumb}
                           : RectF{start, 1, thumb, height - 2};
    FillRoundRect(g, face, 4, kThumbColour);
}

}  // namespace ui

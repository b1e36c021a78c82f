// The scroll bar of a multi-line edit box: a thin track with a thumb, a child of the box. A
// press on the bar, and dragging it, puts the middle of the thumb under the mouse; the box is
// told the new position. It never takes the focus from the box.
#pragma once

#include <functional>

#include "toolkit/core/element.h"

namespace ui {

enum class ScrollOrientation { kHorizontal, kVertical };

class EditScrollBar : public Element {
  public:
    ~EditScrollBar() override;

    ElementHandle Create(Element* box, ScrollOrientation orientation, const RectF& rect,
                         bool visible);
    // `total` is the whole content, `page` the part shown and `position` the first part shown,
    // all in one unit (pixels or lines). Redraws when anything changed.
    void SetRange(int total, int page, int position);
    int Position() const { return position_; }
    // Called with the new position when the user moves the thumb.
    std::function<void(int position)> onScroll;

  protected:
    void DrawFace(PaintContext& context) override;
    void OnPaint() override;
    void OnDestroy() override;
    // Takes the capture, so that dragging reaches it, but not the focus.
    int OnPressWithoutFocus() override;
    void OnMouseDown(const MouseEvent& event) override;
    void OnMouseMove(const MouseEvent& event) override;
    void OnMouseUp(const MouseEvent& event) override;

  private:
    int Length() const;
    float ThumbLength() const;
    int MaxPosition() const;
    void ScrollToMouse(const MouseEvent& event);

    ScrollOrientation orientation_ = ScrollOrientation::kVertical;
    int total_ = 0;
    int page_ = 0;
    int position_ = 0;
    bool dragging_ = false;
};

}  // namespace ui

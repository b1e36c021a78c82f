// A thin, rounded progress bar: a pale track and, from its left end, a blue fill for the part
// that is done.
#pragma once

#include <cstdint>

#include "toolkit/core/element.h"

namespace ui {

// How many of `width` pixels the fill covers when `done` of `total` is done: 0 for nothing
// (or an unknown total), the whole width at the end and beyond.
float FilledWidth(std::uint64_t done, std::uint64_t total, float width);

class ProgressBar : public Element {
  public:
    ~ProgressBar() override;

    ElementHandle Create(const ElementParent& parent, const RectF& rect, bool visible = false);
    // Moves the fill and repaints when it moved by a pixel or more.
    void SetProgress(std::uint64_t done, std::uint64_t total);
    float Filled() const { return filled_; }

  protected:
    void OnPaint() override;
    void OnShown() override;
    void DrawFace(PaintContext& context) override;
    // A progress bar whose value is the part filled, in per cent.
    void DescribeForAccessibility(AccessibleFacts& facts) const override;

  private:
    float filled_ = 0;
};

}  // namespace ui

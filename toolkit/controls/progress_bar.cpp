#include "toolkit/controls/progress_bar.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "toolkit/core/shapes.h"

namespace ui {
namespace {

constexpr ARGB kTrack = Argb(0xE3EAF5, 255);
// The install button's own blues, light to deep.
constexpr ARGB kFillStart = Argb(0x1EB2F0, 255);
constexpr ARGB kFillEnd = Argb(0x2563EB, 255);

}  // namespace

float FilledWidth(std::uint64_t done, std::uint64_t total, float width) {
    if (total == 0 || done == 0) return 0;
    if (done >= total) return width;
    return std::floor(width * static_cast<float>(static_cast<double>(done) / total));
}

ProgressBar::~ProgressBar() {
    Destroy();
}

ElementHandle ProgressBar::Create(const ElementParent& parent, const RectF& rect, bool visible) {
    filled_ = 0;
    return Element::Create(
        parent,
        {.rect = rect, .type = ElementType::kNoTabFocus, .visible = visible, .focusable = false});
}

void ProgressBar::SetProgress(std::uint64_t done, std::uint64_t total) {
    const float filled = FilledWidth(done, total, static_cast<float>(Width()));
    if (std::fabs(filled - filled_) < 1) return;
    filled_ = filled;
    PaintFace(true);
    Announce(EVENT_OBJECT_VALUECHANGE);
}

void ProgressBar::DescribeForAccessibility(AccessibleFacts& facts) const {
    Element::DescribeForAccessibility(facts);
    facts.role = AccessibleRole::kProgressBar;
    const int percent = Width() > 0 ? static_cast<int>(std::lround(filled_ * 100 / Width())) : 0;
    // Digits by hand: the wide printf family std::to_wstring brings costs the program 12 KB.
    const std::string digits = std::to_string(percent);
    facts.value = std::wstring(digits.begin(), digits.end()) + L'%';
}

void ProgressBar::OnPaint() {
    PaintFace(true);
}

void ProgressBar::OnShown() {
    PaintFace(true);
}

void ProgressBar::DrawFace(PaintContext&) {
    GpGraphics* g = BackingGraphics();
    const float height = static_cast<float>(Height());
    FillRoundRect(g, {0, 0, static_cast<float>(Width()), height}, height, kTrack);
    if (filled_ <= 0) return;
    // A fill narrower than the bar is high keeps its round ends by shrinking them; the blues
    // span the whole track, so they stay in place while the fill grows.
    PathPtr path = RoundRectPath({0, 0, filled_, height}, std::min(height, filled_));
    Gdiplus::GpLineGradient* brush = nullptr;
    const Gdiplus::RectF track(0, 0, static_cast<float>(Width()), height);
    gp::GdipCreateLineBrushFromRect(&track, kFillStart, kFillEnd,
                                    Gdiplus::LinearGradientModeHorizontal,
                                    Gdiplus::WrapModeTileFlipXY, &brush);
    BrushPtr owner(brush);
    gp::GdipFillPath(g, brush, path.get());
}

}  // namespace ui

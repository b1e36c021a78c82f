#include "toolkit/core/transitions.h"

#include <algorithm>
#include <cmath>

#include "toolkit/core/clip.h"
#include "toolkit/core/images.h"

namespace ui {

namespace {

struct SlideOffset {
    float dx = 0;
    float dy = 0;
};

SlideOffset OffsetOf(TransitionStyle style, float offset) {
    switch (style) {
        case TransitionStyle::kSlideDown:
            return {0, offset};
        case TransitionStyle::kSlideUp:
            return {0, -offset};
        case TransitionStyle::kSlideRight:
            return {offset, 0};
        default:
            return {-offset, 0};
    }
}

bool IsSlide(TransitionStyle style) {
    return style >= TransitionStyle::kSlideDown && style <= TransitionStyle::kSlideLeft;
}

}  // namespace

void DrawDefaultTransition(GpGraphics* g, const Element& element) {
    const RectF r = element.Rect();
    int frames = std::max(1, element.AnimationFrames());
    int frame = element.AnimationFrame();
    GpImage* next = element.BackingBitmap();
    GpImage* old = element.Snapshot();
    int alpha = element.Alpha();
    TransitionStyle style = element.Transition();
    if (!IsSlide(style)) {
        // Cross-fade: the old look, and the new one growing in over it.
        DrawImageAlpha(g, old, r, alpha);
        DrawImageAlpha(g, next, r, alpha * frame / frames);
        return;
    }
    bool vertical = style == TransitionStyle::kSlideDown || style == TransitionStyle::kSlideUp;
    float span = vertical ? r.height : r.width;
    SlideOffset move = OffsetOf(style, std::trunc(span / frames) * frame);
    // The new look follows the old one, one element size behind it.
    float followX = move.dx > 0 ? -r.width : (move.dx < 0 ? r.width : 0);
    float followY = move.dy > 0 ? -r.height : (move.dy < 0 ? r.height : 0);
    ClipScope clip(g, r);
    DrawImageAlpha(g, old, Offset(r, move.dx, move.dy), alpha);
    DrawImageAlpha(g, next, Offset(r, move.dx + followX, move.dy + followY), alpha);
}

}  // namespace ui

// Rectangles in window pixels as the toolkit keeps them: floats, like GDI+ wants them.
#pragma once

#include <cmath>

namespace ui {

// Coordinates closer than this count as equal (moves, hit tests).
inline constexpr float kGeometryEpsilon = 1e-7f;

struct RectF {
    float x = 0;
    float y = 0;
    float width = 0;
    float height = 0;

    float Right() const { return x + width; }
    float Bottom() const { return y + height; }
    bool IsEmpty() const { return width <= 0 || height <= 0; }
    bool operator==(const RectF&) const = default;
};

inline RectF Intersect(const RectF& a, const RectF& b) {
    float left = std::fmax(a.x, b.x);
    float top = std::fmax(a.y, b.y);
    float right = std::fmin(a.Right(), b.Right());
    float bottom = std::fmin(a.Bottom(), b.Bottom());
    if (right <= left || bottom <= top) return {left, top, 0, 0};
    return {left, top, right - left, bottom - top};
}

inline bool Intersects(const RectF& a, const RectF& b) {
    return !Intersect(a, b).IsEmpty();
}

// Whether `inner` lies wholly inside `outer` (edges may touch).
inline bool Covers(const RectF& outer, const RectF& inner) {
    return inner.x >= outer.x && inner.y >= outer.y && inner.Right() <= outer.Right() &&
           inner.Bottom() <= outer.Bottom();
}

inline RectF Offset(RectF r, float dx, float dy) {
    r.x += dx;
    r.y += dy;
    return r;
}

inline RectF Inflate(RectF r, float dx, float dy) {
    return {r.x - dx, r.y - dy, r.width + 2 * dx, r.height + 2 * dy};
}

// True when the two values differ by more than the toolkit's epsilon.
inline bool Differs(float a, float b) {
    return std::fabs(a - b) > kGeometryEpsilon;
}

}  // namespace ui

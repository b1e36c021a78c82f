// Where a control puts its image and its text inside the face.
#pragma once

#include "toolkit/core/geometry.h"

namespace ui {

struct ImageTextRects {
    RectF image;
    RectF text;
};

// Layouts: 0 image left of text, 1 text left of image, 2 image over text, 3 both centred on
// each other, 4 image at the left edge, 5 image right of left-aligned text, 6 image at the top.
// The pair is centred in `bounds` and moved by the offsets; `gap` separates image and text.
// The text rectangle is 2 pixels wider and higher than the measured text (layout 6: 5 wider).
ImageTextRects LayoutImageAndText(float imageWidth, float imageHeight, int layout,
                                  const RectF& bounds, float textWidth, float textHeight,
                                  float offsetX, float offsetY, float gap);

}  // namespace ui

// Where a control puts its image and its text inside the face.
#pragma once

#include "toolkit/core/geometry.h"

namespace ui {

struct ImageTextRects {
    RectF image;
    RectF text;
};

// Where the image goes relative to the text (the control's image mode).
enum class ImageLayout : int {
    kImageLeft = 0,        // image then text, the pair centred
    kImageRight = 1,       // text then image, the pair centred
    kImageAbove = 2,       // image over text, the pair centred
    kOverlaid = 3,         // both centred on each other
    kImageAtLeftEdge = 4,  // image at the left edge, text up to the right edge
    kImageAfterText = 5,   // text from the left edge, image right of it
    kImageAtTop = 6,       // image centred at the top edge, text below
};

// The pair is centred in `bounds` and moved by the offsets; `gap` separates image and text.
// The text rectangle is 2 pixels wider and higher than the measured text (layout 6: 5 wider).
ImageTextRects LayoutImageAndText(float imageWidth, float imageHeight, ImageLayout layout,
                                  const RectF& bounds, float textWidth, float textHeight,
                                  float offsetX, float offsetY, float gap);

}  // namespace ui

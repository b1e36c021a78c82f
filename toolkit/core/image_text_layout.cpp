#include "toolkit/core/image_text_layout.h"

namespace ui {

ImageTextRects LayoutImageAndText(float iw, float ih, ImageLayout layout, const RectF& b,
                                  float textWidth, float textHeight, float ox, float oy,
                                  float gap) {
    float tw = textWidth + 2, th = textHeight + 2;
    auto centreX = [&b](float width) { return b.x + (b.width - width) / 2; };
    auto centreY = [&b](float height) { return b.y + (b.height - height) / 2; };
    ImageTextRects r;
    switch (layout) {
        case ImageLayout::kImageRight: {
            float left = centreX(tw + gap + iw) + ox;
            r.text = {left, centreY(th) + oy, tw, th};
            r.image = {left + tw + gap, centreY(ih), iw, ih};
            break;
        }
        case ImageLayout::kImageAbove: {
            float top = centreY(ih + gap + th) + oy;
            r.image = {centreX(iw), top, iw, ih};
            r.text = {(b.width - tw) / 2 + ox, top + ih + gap, tw, th};
            break;
        }
        case ImageLayout::kOverlaid:
            r.image = {centreX(iw) + ox, centreY(ih) + oy, iw, ih};
            r.text = {centreX(tw) + ox, centreY(th) + oy, tw, th};
            break;
        case ImageLayout::kImageAtLeftEdge:
            r.image = {b.x + ox, centreY(ih), iw, ih};
            r.text = {r.image.x + iw + gap, centreY(th) + oy, b.width - iw - gap - ox, th};
            break;
        case ImageLayout::kImageAfterText:
            r.text = {b.x + ox, centreY(th) + oy, tw, th};
            r.image = {r.text.x + tw + gap, centreY(ih), iw, ih};
            break;
        case ImageLayout::kImageAtTop: {
            float wide = textWidth + 5;
            r.image = {centreX(iw), b.y + oy, iw, ih};
            r.text = {centreX(wide), r.image.y + ih + gap, wide, th};
            break;
        }
        default: {
            float left = centreX(iw + gap + tw) + ox;
            r.image = {left, centreY(ih) + oy, iw, ih};
            r.text = {left + iw + gap, centreY(th) + oy, tw, th};
            break;
        }
    }
    return r;
}

}  // namespace ui

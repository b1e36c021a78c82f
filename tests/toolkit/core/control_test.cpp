// The default face of controls and where their content goes.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>
#include "tests/toolkit/toolkit_test_support.h"
#include "toolkit/core/control.h"

namespace ui::test {
namespace {

// A control whose face can be painted without a window presentation, for reading it back.
class FaceProbe : public Control {
  public:
    using Control::PaintState;
    std::vector<RectF> textRects;
    bool contentOnly = false;  // leave the face out, so only the text is on the bitmap

  protected:
    bool DrawCustomFace(int, PaintContext&) override { return contentOnly; }
    void BeforeContent(int, RectF& text, RectF&) override { textRects.push_back(text); }
};

struct RedBox {
    int left = 1000, top = 1000, right = -1, bottom = -1;
};

RedBox RedPixels(GpImage* image, int width, int height) {
    RedBox box;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            Rgba p = ImagePixel(image, x, y);
            if (p.a > 128 && p.r > 200 && p.g < 60 && p.b < 60) {
                box.left = std::min(box.left, x);
                box.top = std::min(box.top, y);
                box.right = std::max(box.right, x);
                box.bottom = std::max(box.bottom, y);
            }
        }
    }
    return box;
}

TEST(ControlFace, ThePressedStateDrawsTheContentOnePixelLowerAndFurtherRight) {
    TestWindow w(Bare());
    FaceProbe control;
    ControlSpec spec;
    spec.rect = {20, 20, 80, 30};
    spec.text = "WM";
    spec.style.color = 0xFFFF0000;
    control.contentOnly = true;
    ASSERT_TRUE(control.Create(w.window, spec));
    control.PaintState(kStateNormal, false);
    RedBox normal = RedPixels(control.BackingBitmap(), 80, 30);
    control.PaintState(kStatePressed, false);
    RedBox pressed = RedPixels(control.BackingBitmap(), 80, 30);
    ASSERT_LT(normal.left, normal.right) << "no text drawn";
    EXPECT_EQ(pressed.left, normal.left + 1);
    EXPECT_EQ(pressed.top, normal.top + 1);
    EXPECT_EQ(pressed.right, normal.right + 1);
    EXPECT_EQ(pressed.bottom, normal.bottom + 1);
    ASSERT_GE(control.textRects.size(), 2u);
    RectF a = control.textRects[control.textRects.size() - 2], b = control.textRects.back();
    EXPECT_FLOAT_EQ(b.x - a.x, 1);
    EXPECT_FLOAT_EQ(b.y - a.y, 1);
}

// Straight-alpha "over" of two colours given as ARGB.
Rgba Over(ARGB top, ARGB bottom) {
    auto channel = [](ARGB c, int shift) { return static_cast<double>((c >> shift) & 0xFF); };
    double at = channel(top, 24) / 255, ab = channel(bottom, 24) / 255;
    double a = at + ab * (1 - at);
    auto mix = [&](int shift) {
        if (a == 0) return 0;
        return static_cast<int>(
            std::lround((channel(top, shift) * at + channel(bottom, shift) * ab * (1 - at)) / a));
    };
    return {mix(16), mix(8), mix(0), static_cast<int>(std::lround(a * 255))};
}

// A colour between two: straight ARGB interpolated, or (as some GDI+ builds do) premultiplied.
ARGB Lerp(ARGB from, ARGB to, double t, bool premultiplied) {
    auto channel = [](ARGB c, int shift) { return static_cast<double>((c >> shift) & 0xFF); };
    double a = channel(from, 24) + (channel(to, 24) - channel(from, 24)) * t;
    ARGB result = static_cast<ARGB>(std::lround(a)) << 24;
    for (int shift : {16, 8, 0}) {
        double value;
        if (premultiplied) {
            double f = channel(from, shift) * channel(from, 24) / 255;
            double g = channel(to, shift) * channel(to, 24) / 255;
            double mixed = f + (g - f) * t;
            value = a > 0 ? std::min(255.0, mixed * 255 / a) : 0;
        } else {
            value = channel(from, shift) + (channel(to, shift) - channel(from, shift)) * t;
        }
        result |= static_cast<ARGB>(std::lround(value)) << shift;
    }
    return result;
}

TEST(ControlFace, TheDefaultFaceHasTheColoursOfEachState) {
    struct Row {
        int state;
        ARGB fill, top, bottom, baseLine;
    };
    const Row rows[] = {
        {0, Argb(0xECECEC, 204), Argb(0, 0), Argb(0, 102), Argb(0, 25)},
        {1, Argb(0xECECEC, 204), Argb(0, 21), Argb(0, 153), Argb(0, 30)},
        {2, Argb(0xECECEC, 204), Argb(0, 153), Argb(0xECECEC, 21), Argb(0, 10)},
        {3, Argb(0xECECEC, 204), Argb(0, 51), Argb(0, 153), Argb(0, 25)},
        {-1, Argb(0xFFFFFF, 51), Argb(0, 51), Argb(0, 51), Argb(0, 0)},
    };
    TestWindow w(Bare());
    FaceProbe control;
    ControlSpec spec;
    spec.rect = {20, 20, 60, 41};
    spec.corners = false;
    ASSERT_TRUE(control.Create(w.window, spec));
    const int h = 41;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.state);
        control.PaintState(row.state, false);
        GpImage* face = control.BackingBitmap();
        // Inside both outlines the fill shows under the vertical gradient of the face.
        for (int y : {4, h / 2, h - 6}) {
            double t = (y + 0.5) / (h - 1);
            Rgba straight = Over(Lerp(row.top, row.bottom, t, false), row.fill);
            Rgba premultiplied = Over(Lerp(row.top, row.bottom, t, true), row.fill);
            Rgba actual = ImagePixel(face, 30, y);
            EXPECT_TRUE(NearColour(actual, straight, 12) || NearColour(actual, premultiplied, 12))
                << "row " << y << ": " << NearColour(actual, straight, 12).message();
        }
        // The base line under the face.
        Rgba line = ImagePixel(face, 30, h - 1);
        EXPECT_NEAR(line.a, static_cast<int>(row.baseLine >> 24), 6);
        if (line.a > 0) {
            EXPECT_TRUE(NearColour(line, {0, 0, 0, line.a}, 2));
        }
    }
}

}  // namespace
}  // namespace ui::test

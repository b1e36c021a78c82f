// Composition into the back buffer: order, clipping, disabled alpha, window corners, the
// dirty-rectangle queue, and the default face of controls.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "tests/toolkit/toolkit_test_support.h"
#include "toolkit/core/control.h"
#include "toolkit/core/images.h"

namespace ui::test {
namespace {

// An element of one opaque colour.
class SolidElement : public Element {
  public:
    explicit SolidElement(ARGB colour) : colour_(colour) {}
    ~SolidElement() override { Destroy(); }
    int HandleMessage(UINT message, WPARAM, LPARAM) override {
        if (message == kMsgPaint && BackingGraphics()) {
            PaintContext context = MakePaintContext();
            BeginFacePaint(context, true);
            gp::GdipGraphicsClear(BackingGraphics(), colour_);
            FinishFacePaint(context, true);
        }
        if (message == kMsgDisabledAlpha) {
            ++disabledQueries;
            if (onDisabledQuery) onDisabledQuery();
            return disabledAnswer;
        }
        return -1;
    }
    int disabledAnswer = -1;
    int disabledQueries = 0;
    std::function<void()> onDisabledQuery;

  private:
    ARGB colour_;
};

constexpr ARGB kRed = 0xFFFF0000;
constexpr ARGB kGreen = 0xFF00FF00;
const Rgba kRedPixel{255, 0, 0, 255};
const Rgba kGreenPixel{0, 255, 0, 255};

AttachOptions Bare() {
    AttachOptions options;
    options.captionFlags = 0;
    return options;
}

// The plain background: the default colour 0xFF8800 (blue 255, green 136, red 0), opaque.
const Rgba kBackground{0x00, 0x88, 0xFF, 255};

TEST(Composition, ALaterTopLevelElementCoversAnEarlierOneWhereTheyOverlap) {
    TestWindow w(Bare());
    SolidElement first(kRed), second(kGreen);
    ASSERT_TRUE(first.Create(w.window, SpecAt(20, 20, 60, 60)));
    ASSERT_TRUE(second.Create(w.window, SpecAt(50, 50, 60, 60)));
    w.host->Refresh();
    EXPECT_TRUE(NearColour(BackPixel(*w.host, 60, 60), kGreenPixel, 2));
    EXPECT_TRUE(NearColour(BackPixel(*w.host, 30, 30), kRedPixel, 2));
    EXPECT_TRUE(NearColour(BackPixel(*w.host, 100, 100), kGreenPixel, 2));
    EXPECT_TRUE(NearColour(BackPixel(*w.host, 150, 150), kBackground, 2));
    // Raising the first one to the top turns the overlap red.
    first.ChangeZOrder(1, true);
    w.host->RepaintRect({0, 0, 200, 200}, true);
    EXPECT_TRUE(NearColour(BackPixel(*w.host, 60, 60), kRedPixel, 2));
}

TEST(Composition, AChildNeverDrawsOutsideItsParent) {
    TestWindow w(Bare());
    SolidElement parent(kRed), child(kGreen);
    ASSERT_TRUE(parent.Create(w.window, SpecAt(20, 40, 40, 40)));
    ASSERT_TRUE(child.Create(&parent, SpecAt(50, 50, 40, 40)));
    w.host->Refresh();
    EXPECT_TRUE(NearColour(BackPixel(*w.host, 55, 55), kGreenPixel, 2));
    EXPECT_TRUE(NearColour(BackPixel(*w.host, 59, 79), kGreenPixel, 2));
    EXPECT_TRUE(NearColour(BackPixel(*w.host, 60, 55), kBackground, 2));  // right of the parent
    EXPECT_TRUE(NearColour(BackPixel(*w.host, 55, 80), kBackground, 2));  // below the parent
    EXPECT_TRUE(NearColour(BackPixel(*w.host, 85, 85), kBackground, 2));
    // Repainting a small rectangle keeps the clip too.
    w.host->RepaintRect({50, 50, 40, 40}, false);
    EXPECT_TRUE(NearColour(BackPixel(*w.host, 70, 70), kBackground, 2));
}

TEST(Composition, ADisabledElementIsComposedAtHalfItsAlphaUnlessItAnswersTheQuery) {
    TestWindow w(Bare());
    SolidElement element(kRed);
    ASSERT_TRUE(element.Create(w.window, SpecAt(20, 20, 40, 40)));
    element.SetDisabled(true);
    w.host->Refresh();
    EXPECT_GE(element.disabledQueries, 1);
    // Red at 127/255 over the blue background.
    const Rgba half{127, 68, 128, 255};
    EXPECT_TRUE(NearColour(BackPixel(*w.host, 40, 40), half, 3));

    element.disabledAnswer = 0;
    w.host->RepaintRect(element.Rect(), false);
    EXPECT_TRUE(NearColour(BackPixel(*w.host, 40, 40), kRedPixel, 2));

    element.disabledAnswer = -1;
    element.SetAlpha(128, false);
    w.host->RepaintRect(element.Rect(), false);
    const Rgba quarter{64, 102, 191, 255};  // alpha 64 of red over blue
    EXPECT_TRUE(NearColour(BackPixel(*w.host, 40, 40), quarter, 3));
}

TEST(WindowShape, RoundedCornersOfALayeredWindowAreTransparent) {
    AttachOptions options = Bare();
    options.layeredAlpha = 255;
    TestWindow w(options);
    int right = w.host->Width() - 1, bottom = w.host->Height() - 1;
    for (auto [x, y] : {std::pair{0, 0}, {right, 0}, {0, bottom}, {right, bottom}}) {
        EXPECT_EQ(w.host->BackBuffer().Pixel(x, y) >> 24, 0u) << x << "," << y;
    }
    // The content is opaque; the soft outer shadow fades out towards the edges.
    EXPECT_TRUE(NearColour(BackPixel(*w.host, 100, 100), kBackground, 2));
    std::uint32_t shadowNear = w.host->BackBuffer().Pixel(100, 5) >> 24;
    std::uint32_t shadowFar = w.host->BackBuffer().Pixel(100, 2) >> 24;
    EXPECT_GT(shadowNear, shadowFar);
    EXPECT_GT(shadowFar, 0u);
    EXPECT_TRUE(GetWindowLongW(w.window, GWL_EXSTYLE) & WS_EX_LAYERED);
}

TEST(WindowShape, RoundedCornersOfAPlainWindowLieOutsideTheWindowRegion) {
    TestWindow rounded(Bare());
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(GetWindowRgn(rounded.window, region), ERROR);
    int right = rounded.host->Width() - 1, bottom = rounded.host->Height() - 1;
    EXPECT_FALSE(PtInRegion(region, 0, 0));
    EXPECT_FALSE(PtInRegion(region, right, bottom));
    EXPECT_FALSE(PtInRegion(region, 6, 6));  // cut by the round corner
    EXPECT_TRUE(PtInRegion(region, 8, 8));
    EXPECT_TRUE(PtInRegion(region, 100, 100));

    AttachOptions square = Bare();
    square.cornerStyle = 0;
    TestWindow plain(square);
    ASSERT_NE(GetWindowRgn(plain.window, region), ERROR);
    EXPECT_TRUE(PtInRegion(region, 6, 6));
    EXPECT_FALSE(PtInRegion(region, 5, 5));
    DeleteObject(region);
}

TEST(DirtyRectangles, ThreeQueuedWhileBusyAreRepaintedInOnePassWithOnePresentation) {
    AttachOptions options = Bare();
    options.layeredAlpha = 255;
    TestWindow w(options);
    SolidElement element(kRed);
    ASSERT_TRUE(element.Create(w.window, SpecAt(20, 20, 100, 60)));
    element.SetDisabled(true);
    PumpFor(30);
    bool queued = false;
    element.onDisabledQuery = [&] {
        if (queued) return;
        queued = true;  // asked while the first rectangle is composed: the queue is busy
        EXPECT_TRUE(w.host->Queue().Busy());
        w.host->QueueRect({20, 20, 10, 10}, kRepaintQueue);
        w.host->QueueRect({40, 20, 10, 10}, kRepaintQueue);
        w.host->QueueRect({60, 20, 10, 10}, kRepaintFirst);
        EXPECT_EQ(w.host->Queue().Pending(), 3u);
    };
    element.disabledQueries = 0;
    int presentedBefore = w.host->PresentCount();
    w.host->QueueRect(element.Rect(), kRepaintQueue);
    EXPECT_EQ(element.disabledQueries, 4);  // the first rectangle and the three
    EXPECT_EQ(w.host->Queue().Pending(), 0u);
    EXPECT_EQ(w.host->PresentCount() - presentedBefore, 1);
}

TEST(DirtyRectangles, APlainWindowIsPresentedPerRectangle) {
    TestWindow w(Bare());
    SolidElement element(kRed);
    ASSERT_TRUE(element.Create(w.window, SpecAt(20, 20, 100, 60)));
    PumpFor(30);
    int presentedBefore = w.host->PresentCount();
    w.host->Queue().Append({20, 20, 10, 10});
    w.host->Queue().Append({40, 20, 10, 10});
    w.host->Queue().Process();
    EXPECT_EQ(w.host->PresentCount() - presentedBefore, 2);
}

TEST(DirtyRectangles, RepaintRequestsArriveAsMessagesAndAreDroppedWhileBusy) {
    TestWindow w(Bare());
    SolidElement element(kRed);
    ASSERT_TRUE(element.Create(w.window, SpecAt(20, 20, 40, 40)));
    PumpFor(30);
    element.SetVisible(false);  // posts a repaint of its rectangle
    EXPECT_TRUE(NearColour(BackPixel(*w.host, 30, 30), kRedPixel, 2));
    PumpFor(30);
    EXPECT_TRUE(NearColour(BackPixel(*w.host, 30, 30), kBackground, 2));
}

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
    spec.textColor = 0xFFFF0000;
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

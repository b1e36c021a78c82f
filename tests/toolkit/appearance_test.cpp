// How windows and elements look: backgrounds, fade-in, transitions, images and labels.
#include <gtest/gtest.h>

#include <vector>

#include "kToolkitDefaultSkin.h"
#include "tests/toolkit/toolkit_test_support.h"
#include "toolkit/core/images.h"
#include "toolkit/core/label.h"
#include "toolkit/core/text_render.h"
#include "toolkit/core/toolkit.h"

namespace ui::test {
namespace {

constexpr ARGB kRed = 0xFFFF0000;
constexpr ARGB kGreen = 0xFF00FF00;
constexpr ARGB kBlue = 0xFF0000FF;
constexpr ARGB kYellow = 0xFFFFFF00;

// PNG bytes of a bitmap, encoded by GDI+.
std::vector<std::uint8_t> EncodePng(GpImage* image) {
    UINT count = 0, size = 0;
    gp::GdipGetImageEncodersSize(&count, &size);
    std::vector<std::uint8_t> buffer(size);
    auto* codecs = reinterpret_cast<Gdiplus::ImageCodecInfo*>(buffer.data());
    gp::GdipGetImageEncoders(count, size, codecs);
    const CLSID* png = nullptr;
    for (UINT i = 0; i < count; ++i) {
        if (std::wstring(codecs[i].MimeType) == L"image/png") png = &codecs[i].Clsid;
    }
    IStream* stream = nullptr;
    CreateStreamOnHGlobal(nullptr, TRUE, &stream);
    gp::GdipSaveImageToStream(image, stream, png, nullptr);
    HGLOBAL memory = nullptr;
    GetHGlobalFromStream(stream, &memory);
    STATSTG stat{};
    stream->Stat(&stat, STATFLAG_NONAME);
    auto* bytes = static_cast<std::uint8_t*>(GlobalLock(memory));
    std::vector<std::uint8_t> result(bytes, bytes + stat.cbSize.LowPart);
    GlobalUnlock(memory);
    stream->Release();
    return result;
}

std::vector<std::uint8_t> SolidPng(int width, int height, ARGB colour) {
    ImagePtr bitmap = NewArgbBitmap(width, height);
    GraphicsPtr graphics = NewSmoothGraphics(bitmap.get());
    gp::GdipGraphicsClear(graphics.get(), colour);
    graphics.reset();
    return EncodePng(bitmap.get());
}

AttachOptions WithImage(const std::vector<std::uint8_t>& png, int mode) {
    AttachOptions options;
    options.captionFlags = 0;
    options.backgroundImage = png;
    options.backgroundMode = mode;
    return options;
}

const Rgba kRedPixel{255, 0, 0, 255};
const Rgba kBackground{0x00, 0x88, 0xFF, 255};

TEST(Background, AnImageInItsModeOverTheBackgroundColour) {
    std::vector<std::uint8_t> png = SolidPng(20, 10, kRed);
    TestWindow natural(WithImage(png, kBackgroundNatural));
    EXPECT_TRUE(NearColour(BackPixel(*natural.host, 10, 8), kRedPixel, 2));
    EXPECT_TRUE(NearColour(BackPixel(*natural.host, 26, 8), kBackground, 2));
    EXPECT_TRUE(NearColour(BackPixel(*natural.host, 10, 20), kBackground, 2));

    TestWindow stretched(WithImage(png, kBackgroundStretch));
    EXPECT_TRUE(NearColour(BackPixel(*stretched.host, 190, 125), kRedPixel, 2));
    EXPECT_TRUE(NearColour(BackPixel(*stretched.host, 360, 230), kRedPixel, 2));

    TestWindow centred(WithImage(png, kBackgroundCentre));
    EXPECT_TRUE(NearColour(BackPixel(*centred.host, 181, 121), kRedPixel, 2));  // from (180, 120)
    EXPECT_TRUE(NearColour(BackPixel(*centred.host, 178, 121), kBackground, 2));
    EXPECT_TRUE(NearColour(BackPixel(*centred.host, 201, 121), kBackground, 2));
}

TEST(Background, CornerStyleOneDrawsTheImageOverTheWholeWindowWithoutFrame) {
    AttachOptions options = WithImage(SolidPng(380, 250, kRed), kBackgroundNatural);
    options.cornerStyle = 1;
    TestWindow w(options);
    EXPECT_TRUE(NearColour(BackPixel(*w.host, 0, 0), kRedPixel, 2));
    EXPECT_TRUE(NearColour(BackPixel(*w.host, 6, 100), kRedPixel, 2));  // where the frame would be
    EXPECT_TRUE(NearColour(BackPixel(*w.host, 379, 249), kRedPixel, 2));
}

TEST(Background, ALayeredWindowShowsItsBackgroundThroughItsAlpha) {
    AttachOptions options;
    options.captionFlags = 0;
    options.layeredAlpha = 200;
    TestWindow plainColour(options);
    EXPECT_EQ(BackPixel(*plainColour.host, 100, 100).a, 200);

    options.backgroundImage = SolidPng(20, 20, kRed);
    options.layeredAlpha = 128;
    TestWindow withImage(options);
    EXPECT_NEAR(BackPixel(*withImage.host, 10, 10).a, 128, 2);
    EXPECT_TRUE(NearColour(BackPixel(*withImage.host, 10, 10), {255, 0, 0, 128}, 3));
}

TEST(Background, TheCallbackPaintsAfterTheBackgroundAndBeforeTheElements) {
    AttachOptions options;
    options.captionFlags = 0;
    HostWindow host;
    HWND window = CreateHostWindow({});
    std::vector<int> sizes;
    host.Callbacks().backgroundPaint = [&](HWND, GpGraphics* g, int width, int height) {
        sizes = {width, height};
        FillSolid(g, {0, 86, 400, 300}, 0xFEFFFFFF);
    };
    ASSERT_TRUE(host.Attach(window, options));
    EXPECT_EQ(sizes, (std::vector<int>{380, 250}));
    EXPECT_TRUE(NearColour(BackPixel(host, 100, 50), kBackground, 2));
    EXPECT_TRUE(NearColour(BackPixel(host, 100, 150), {255, 255, 255, 255}, 2));
    DestroyWindow(window);
}

TEST(FadeIn, TakesFiveTicksOfFiftyMilliseconds) {
    AttachOptions options;
    options.captionFlags = 0;
    options.layeredAlpha = 255;
    options.fadeIn = true;
    HostWindow host;
    HWND window = CreateHostWindow({});
    int ticks = 0;
    host.Callbacks().rawMessage = [&](HWND, UINT message, WPARAM wParam, LPARAM) -> LRESULT {
        if (message == WM_TIMER && wParam == reinterpret_cast<WPARAM>(&host)) ++ticks;
        return -1;
    };
    DWORD start = GetTickCount();
    ASSERT_TRUE(host.Attach(window, options));
    EXPECT_TRUE(host.Busy());
    ASSERT_TRUE(PumpUntil([&] { return !host.Busy(); }));
    EXPECT_EQ(ticks, 5);
    EXPECT_GE(GetTickCount() - start, 5u * 50u - 30u);
    PumpFor(120);
    EXPECT_EQ(ticks, 5);  // the timer is gone
    DestroyWindow(window);
}

// Paints itself in a colour that the test changes; its fades are stepped by hand.
class TwoLooks : public Element {
  public:
    ~TwoLooks() override { Destroy(); }
    int HandleMessage(UINT message, WPARAM, LPARAM) override {
        if (message == kMsgPaint && BackingGraphics()) {
            PaintContext context = MakePaintContext();
            BeginFacePaint(context, true);
            gp::GdipGraphicsClear(BackingGraphics(), colour);
            FinishFacePaint(context, true);
        }
        if (message == kMsgTransitionEnd) SetAnimationFrames(0);
        return -1;
    }
    void ChangeTo(ARGB next) {
        colour = next;
        SetAnimationFrames(4);
        Redraw();
    }
    ARGB colour = kRed;
};

struct TransitionFixture {
    TestWindow w{[] {
        AttachOptions options;
        options.captionFlags = 0;
        return options;
    }()};
    TwoLooks element;

    explicit TransitionFixture(int style) {
        ElementSpec spec;
        spec.rect = {40, 40, 40, 20};
        spec.animationInterval = 60000;  // the timer never fires here; ticks come from the test
        spec.transitionStyle = style;
        element.Create(w.window, spec);
        element.ChangeTo(kRed);  // red was the look before: the fade starts from red
        for (int i = 0; i < 4; ++i)
            element.AnimationTick();
        element.ChangeTo(kGreen);
    }
    Rgba At(int x) { return BackPixel(*w.host, x, 50); }
};

TEST(Transitions, SlideRightMovesTheOldLookOutAndTheNewOneInFromTheLeft) {
    TransitionFixture f(kSlideRight);
    ASSERT_NE(f.element.Snapshot(), nullptr);
    const Rgba green{0, 255, 0, 255};
    for (int frame = 1; frame <= 3; ++frame) {
        f.element.AnimationTick();
        int boundary = 40 + 10 * frame;  // step = width 40 / 4 frames
        EXPECT_TRUE(NearColour(f.At(boundary - 2), green, 2)) << "frame " << frame;
        EXPECT_TRUE(NearColour(f.At(boundary + 1), kRedPixel, 2)) << "frame " << frame;
    }
    f.element.AnimationTick();  // the last frame shows the new look
    EXPECT_TRUE(NearColour(f.At(78), green, 2));
    EXPECT_EQ(f.element.AnimationFrames(), 0);
    EXPECT_EQ(f.element.Snapshot(), nullptr);
}

TEST(Transitions, SlideUpBringsTheNewLookInFromBelow) {
    TransitionFixture f(kSlideUp);
    f.element.AnimationTick();  // offset 20 / 4 = 5
    EXPECT_TRUE(NearColour(BackPixel(*f.w.host, 60, 41), kRedPixel, 2));
    EXPECT_TRUE(NearColour(BackPixel(*f.w.host, 60, 56), {0, 255, 0, 255}, 2));
    EXPECT_TRUE(NearColour(BackPixel(*f.w.host, 60, 62), kBackground, 2));  // clipped below
}

TEST(Transitions, CrossFadeBlendsTheNewLookInOverTheOld) {
    TransitionFixture f(kCrossFade);
    f.element.AnimationTick();  // frame 1 of 4: green at 255 / 4
    EXPECT_TRUE(NearColour(f.At(60), {192, 63, 0, 255}, 3));
    f.element.AnimationTick();
    EXPECT_TRUE(NearColour(f.At(60), {128, 127, 0, 255}, 3));
}

TEST(Images, APngWithoutItsSignatureDecodesOnlyWhenTheSignatureIsAdded) {
    ByteView skin = EmbeddedBytes(kToolkitDefaultSkin);
    ASSERT_GT(skin.size(), 16u);
    EXPECT_EQ(skin[4], 'I');  // starts with the IHDR chunk
    EXPECT_FALSE(LoadImage(skin, false));
    LoadedImage image = LoadImage(skin, true);
    ASSERT_TRUE(image);
    EXPECT_EQ(SizeOf(image.Get()).width, 8 * kSkinCell);
    EXPECT_EQ(SizeOf(image.Get()).height, kSkinCell);
    EXPECT_NE(DefaultSkin(), nullptr);
    EXPECT_FALSE(LoadImage(ByteView()));
    const std::uint8_t junk[] = {1, 2, 3, 4, 5, 6, 7, 8, 9};
    EXPECT_FALSE(LoadImage(junk));
}

TEST(Images, NineGridKeepsTheCornersAtFullSizeInASmallRectangle) {
    ImagePtr source = NewArgbBitmap(30, 30);
    {
        GraphicsPtr g = NewSmoothGraphics(source.get());
        FillReplacing(g.get(), {0, 0, 15, 15}, kRed);
        FillReplacing(g.get(), {15, 0, 15, 15}, kGreen);
        FillReplacing(g.get(), {0, 15, 15, 15}, kBlue);
        FillReplacing(g.get(), {15, 15, 15, 15}, kYellow);
    }
    ImagePtr target = NewArgbBitmap(16, 16);
    GraphicsPtr g = NewSmoothGraphics(target.get());
    DrawNineGrid(g.get(), source.get(), {0, 0, 16, 16}, Margins{10, 10, 10, 10});
    g.reset();
    EXPECT_TRUE(NearColour(ImagePixel(target.get(), 2, 2), kRedPixel, 2));
    EXPECT_TRUE(NearColour(ImagePixel(target.get(), 13, 2), {0, 255, 0, 255}, 2));
    EXPECT_TRUE(NearColour(ImagePixel(target.get(), 2, 13), {0, 0, 255, 255}, 2));
    EXPECT_TRUE(NearColour(ImagePixel(target.get(), 13, 13), {255, 255, 0, 255}, 2));
}

// Counts its paints and remembers where its text went.
class ProbeLabel : public Label {
  public:
    int paints = 0;
    RectF lastTextRect;
    std::vector<UINT> transitions;

  protected:
    void BeforeText(RectF& rect) override {
        ++paints;
        lastTextRect = rect;
    }
    int PreHandleMessage(UINT message, WPARAM, LPARAM) override {
        if (message == kMsgTransitionStart || message == kMsgTransitionEnd) {
            transitions.push_back(message);
        }
        return -1;
    }
};

TEST(Labels, TheSameTextAgainNeitherRepaintsNorRemeasures) {
    TestWindow w;
    ProbeLabel label;
    LabelSpec spec;
    spec.rect = {20, 40, 200, 30};
    spec.text = "安装目录：";
    ASSERT_TRUE(label.Create(w.window, spec));
    int paints = label.paints;
    label.SetText("安装目录：");
    EXPECT_EQ(label.paints, paints);
    label.SetText("安装目录");
    EXPECT_EQ(label.paints, paints + 1);
    EXPECT_GT(label.MeasuredWidth(), 0);
}

TEST(Labels, ACentredSingleLineStaysCentredAfterAFontSizeChange) {
    TestWindow w;
    ProbeLabel label;
    LabelSpec spec;
    spec.rect = {20, 40, 200, 40};
    spec.text = "Centre";
    ASSERT_TRUE(label.Create(w.window, spec));
    auto centre = [&] { return label.lastTextRect.y + label.lastTextRect.height / 2; };
    float before = centre();
    int heightBefore = label.MeasuredHeight();
    label.SetFontSize(20);
    EXPECT_GT(label.MeasuredHeight(), heightBefore);
    EXPECT_NEAR(centre(), before, 1.0);
    EXPECT_NEAR(centre(), 20.0, 1.0);  // the middle of the 40-pixel face
    EXPECT_NE(label.Font(), DefaultFont());
    EXPECT_FLOAT_EQ(FontSize(DefaultFont()), 12);  // the shared font is left alone
}

TEST(Labels, ATextChangeWithATransitionRunsItAndEndsIt) {
    TestWindow w;
    ProbeLabel label;
    LabelSpec spec;
    spec.rect = {20, 40, 200, 30};
    spec.text = "旧";
    ASSERT_TRUE(label.Create(w.window, spec));
    label.SetText("旧", kSlideRight, 3, 15);  // replaced even though it is the same
    EXPECT_EQ(label.TransitionStyle(), static_cast<int>(kSlideRight));
    EXPECT_EQ(label.AnimationFrames(), 3);
    ASSERT_TRUE(PumpUntil([&] { return label.transitions.size() == 2; }));
    EXPECT_EQ(label.transitions[0], static_cast<UINT>(kMsgTransitionStart));
    EXPECT_EQ(label.transitions[1], static_cast<UINT>(kMsgTransitionEnd));
    EXPECT_EQ(label.AnimationFrames(), 0);
}

TEST(ToolkitLifetime, ShutdownRunsTheCleanUpsInReverseAndStartsAgain) {
    std::vector<int> order;
    RegisterToolkitCleanup([&] { order.push_back(1); });
    RegisterToolkitCleanup([&] { order.push_back(2); });
    ShutdownToolkit();
    EXPECT_EQ(order, (std::vector<int>{2, 1}));
    EXPECT_FALSE(ToolkitStarted());
    EXPECT_EQ(DefaultFont(), nullptr);
    ASSERT_TRUE(StartToolkit());
    EXPECT_NE(DefaultFont(), nullptr);
    EXPECT_FALSE(FontFamilyName(DefaultFont()).empty());
    EXPECT_FLOAT_EQ(FontSize(DefaultFont()), 12);
}

}  // namespace
}  // namespace ui::test

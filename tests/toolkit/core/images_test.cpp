// Decoding images, with and without their PNG signature, ahead on the worker, and nine-grid
// drawing.
#include <gtest/gtest.h>

#include <vector>

#include "kToolkitDefaultSkin.h"
#include "kToolkitMessageBackground.h"
#include "tests/toolkit/toolkit_test_support.h"
#include "toolkit/core/decode_ahead.h"
#include "toolkit/core/images.h"
#include "toolkit/core/shapes.h"
#include "toolkit/core/toolkit.h"

namespace ui::test {
namespace {

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

bool SameImagePixels(GpImage* a, GpImage* b) {
    const ImageSize size = SizeOf(a);
    if (size.width != SizeOf(b).width || size.height != SizeOf(b).height) return false;
    for (int y = 0; y < size.height; ++y) {
        for (int x = 0; x < size.width; ++x) {
            const Rgba pa = ImagePixel(a, x, y), pb = ImagePixel(b, x, y);
            if (pa.r != pb.r || pa.g != pb.g || pa.b != pb.b || pa.a != pb.a) return false;
        }
    }
    return true;
}

// Named ahead, an image loads from a copy of its bytes with the pixels of a decode of its own,
// as often as it is asked for (the worker's image goes to the first load only), and only for
// the same signature flag.
TEST(Images, AnImageNamedAheadLoadsWithThePixelsOfItsOwnDecode) {
    ByteView skin = EmbeddedBytes(kToolkitDefaultSkin);
    LoadedImage direct = LoadImage(skin, true);
    ASSERT_TRUE(direct);
    DecodeAheadOnStart({{skin, true}});
    StartDecodingAhead({});
    const std::vector<std::uint8_t> copy(skin.begin(), skin.end());
    EXPECT_FALSE(LoadImage(copy, false));
    for (int load = 0; load < 2; ++load) {
        LoadedImage image = LoadImage(copy, true);
        ASSERT_TRUE(image) << "load " << load;
        EXPECT_TRUE(SameImagePixels(image.Get(), direct.Get())) << "load " << load;
    }
}

// An opaque image is copied by converting its pixels, not by drawing it: the pixels must be the
// ones drawing it gives.
TEST(Images, AnOpaqueImageLoadsWithThePixelsDrawingItGives) {
    ByteView opaque = EmbeddedBytes(kToolkitMessageBackground);
    LoadedImage decoded = LoadImage(opaque, false, true);
    ASSERT_TRUE(decoded);
    Gdiplus::PixelFormat format = 0;
    gp::GdipGetImagePixelFormat(decoded.Get(), &format);
    ASSERT_FALSE(format & PixelFormatAlpha);
    const ImageSize size = SizeOf(decoded.Get());
    ImagePtr drawn = NewArgbBitmap(size.width, size.height);
    gp::GdipDrawImageRectI(NewSmoothGraphics(drawn.get()).get(), decoded.Get(), 0, 0, size.width,
                           size.height);
    LoadedImage copied = LoadImage(opaque);
    ASSERT_TRUE(copied);
    EXPECT_TRUE(SameImagePixels(copied.Get(), drawn.get()));
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

TEST(Images, NineGridLeavesNoSeamBetweenItsParts) {
    ImagePtr source = NewArgbBitmap(13, 28);
    {
        GraphicsPtr g = NewSmoothGraphics(source.get());
        FillReplacing(g.get(), {0, 0, 13, 28}, kRed);
    }
    // Widths whose stretch factors used to lose the first column of the stretched parts.
    for (int width : {41, 43, 54, 70, 82, 99, 124}) {
        ImagePtr target = NewArgbBitmap(width, 40);
        GraphicsPtr g = NewSmoothGraphics(target.get());
        DrawNineGrid(g.get(), source.get(), {0, 0, float(width), 40}, Margins{5, 5, 3, 15});
        g.reset();
        for (int x = 0; x < width; ++x) {
            for (int y : {2, 12, 30}) {
                ASSERT_EQ(ImagePixel(target.get(), x, y).a, 255)
                    << width << " wide, at " << x << "," << y;
            }
        }
    }
}

// Margins that meet leave no middle: the seam pixel where they meet (green) is stretched, in
// both directions, so the edges between the corners are drawn, not left out.
TEST(Images, NineGridStretchesTheSeamPixelWhenTheMarginsLeaveNoMiddle) {
    ImagePtr source = NewArgbBitmap(20, 12);
    {
        GraphicsPtr g = NewSmoothGraphics(source.get());
        FillReplacing(g.get(), {0, 0, 20, 12}, kRed);
        FillReplacing(g.get(), {9, 0, 1, 12}, kGreen);  // the column where 9 + 11 meet
        FillReplacing(g.get(), {0, 5, 20, 1}, kGreen);  // the row where 5 + 7 meet
    }
    ImagePtr target = NewArgbBitmap(80, 60);
    GraphicsPtr g = NewSmoothGraphics(target.get());
    DrawNineGrid(g.get(), source.get(), {0, 0, 80, 60}, Margins{9, 5, 11, 7});
    g.reset();
    for (int x : {10, 40, 68}) {
        for (int y : {1, 30, 57}) {
            EXPECT_TRUE(NearColour(ImagePixel(target.get(), x, y), kGreenPixel, 8))
                << "top/bottom edge or centre at " << x << "," << y;
        }
    }
    for (int y : {6, 30, 52}) {
        EXPECT_TRUE(NearColour(ImagePixel(target.get(), 2, y), kGreenPixel, 8)) << y;
        EXPECT_TRUE(NearColour(ImagePixel(target.get(), 77, y), kGreenPixel, 8)) << y;
    }
    EXPECT_TRUE(NearColour(ImagePixel(target.get(), 2, 2), kRedPixel, 2));  // a corner
}

}  // namespace
}  // namespace ui::test

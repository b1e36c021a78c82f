// Check boxes: toggling by mouse and keyboard, the frame of the check sheet for each state, and
// the focus frame round the caption.
#include <gtest/gtest.h>

#include <vector>

#include "art/toolkit_art.h"
#include "tests/toolkit/toolkit_test_support.h"
#include "toolkit/controls/check_box.h"

namespace ui::test {
namespace {

// Counts how often its box is drawn.
class CountingCheckBox : public CheckBox {
  public:
    int paints = 0;

  protected:
    void BeforeContent(int state, RectF& text, RectF& image) override {
        ++paints;
        CheckBox::BeforeContent(state, text, image);
    }
};

struct CheckBoxOnWindow {
    TestWindow w{[] {
        AttachOptions options = Bare();
        options.settings.draggable = false;
        return options;
    }()};
    CountingCheckBox box;
    explicit CheckBoxOnWindow(const char* caption = "开机启动", float width = 76) {
        box.Create(w.window, {.rect = {20, 144, width, 24}, .text = caption});
    }
    void Click() {
        SendMessageW(w.window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(30, 150));
        SendMessageW(w.window, WM_LBUTTONUP, 0, MAKELPARAM(30, 150));
    }
    // Whether the box shows `frame` (1..4) of the sheet: the frame lands at (6, 4) and is cut
    // to the box (4, 4, 20, 16), so its top 16 rows show.
    ::testing::AssertionResult Shows(int frame) {
        LoadedImage sheet = LoadImage(art::Bytes(art::ToolkitImage::kCheckSheet), true);
        for (int y = 0; y < 16; ++y) {
            for (int x = 0; x < 17; ++x) {
                Rgba drawn = ImagePixel(box.BackingBitmap(), 6 + x, 4 + y);
                Rgba expected = ImagePixel(sheet.Get(), 17 * (frame - 1) + x, y);
                if (!NearColour(drawn, expected, 3)) {
                    return ::testing::AssertionFailure()
                           << "frame " << frame << " differs at " << x << "," << y;
                }
            }
        }
        return ::testing::AssertionSuccess();
    }
};

TEST(CheckBox, TheSheetIs68By17WithoutItsSignature) {
    ByteView bytes = art::Bytes(art::ToolkitImage::kCheckSheet);
    EXPECT_FALSE(LoadImage(bytes));
    LoadedImage sheet = LoadImage(bytes, true);
    ASSERT_TRUE(sheet);
    EXPECT_EQ(SizeOf(sheet.Get()).width, 68);
    EXPECT_EQ(SizeOf(sheet.Get()).height, 17);
}

TEST(CheckBox, EachStateShowsItsFrameUncheckedAndChecked) {
    struct Case {
        int state, checked, frame;
    };
    const Case cases[] = {
        {kStateNormal, 0, 1},   {kStateFocused, 0, 1}, {kStateHover, 0, 2},   {kStatePressed, 0, 2},
        {kStateDisabled, 0, 2}, {kStateNormal, 1, 3},  {kStateFocused, 1, 3}, {kStateHover, 1, 4},
        {kStatePressed, 1, 4},  {kStateNormal, 5, 3},  // any nonzero value is checked
    };
    CheckBoxOnWindow b;
    EXPECT_EQ(b.box.TypeId(), ElementType::kCheckBox);
    for (const Case& c : cases) {
        b.box.SetChecked(c.checked);
        b.box.PaintState(c.state, false);
        EXPECT_TRUE(b.Shows(c.frame)) << "state " << c.state << ", checked " << c.checked;
    }
}

TEST(CheckBox, AClickToggles_SpaceAndEnterToo_AndTheHandlerSeesTheNewValue) {
    CheckBoxOnWindow b;
    std::vector<int> seen;
    b.box.BindEvent(kMsgClick, [&](const ElementEvent&) {
        seen.push_back(b.box.Checked());
        return 0;
    });
    b.Click();
    EXPECT_EQ(b.box.Checked(), 1);
    b.Click();
    EXPECT_EQ(b.box.Checked(), 0);
    ASSERT_EQ(b.w.host->Elements().Focus(), &b.box);
    SendMessageW(b.w.window, WM_KEYDOWN, VK_SPACE, 0);
    EXPECT_EQ(b.box.Checked(), 1);
    SendMessageW(b.w.window, WM_KEYDOWN, VK_RETURN, 0);
    EXPECT_EQ(b.box.Checked(), 0);
    EXPECT_EQ(seen, (std::vector<int>{1, 0, 1, 0}));
    // A stored 5 shows ticked; the next click makes it 0 (5 AND 1 is 1, XOR 1 gives 0).
    b.box.SetChecked(5);
    EXPECT_EQ(b.box.Checked(), 5);
    b.Click();
    EXPECT_EQ(b.box.Checked(), 0);
}

TEST(CheckBox, SettingTheValueItHasDoesNotRedraw) {
    CheckBoxOnWindow b;
    b.box.SetChecked(1);
    int paints = b.box.paints;
    b.box.SetChecked(1);
    EXPECT_EQ(b.box.paints, paints);
    b.box.SetChecked(0);
    EXPECT_EQ(b.box.paints, paints + 1);
}

TEST(CheckBox, UnderTheMouseItShowsTheHighlightedFrameAndAfterItLeavesThePlainOne) {
    CheckBoxOnWindow b;
    SendMessageW(b.w.window, WM_MOUSEMOVE, 0, MAKELPARAM(30, 150));
    EXPECT_TRUE(b.Shows(2));
    SendMessageW(b.w.window, WM_MOUSELEAVE, 0, 0);
    EXPECT_TRUE(b.Shows(1));
}

// One dashed frame, round the caption: none round the whole control (its left edge would run at
// x = 2, its bottom at y = 21), and none past the box's right edge.
TEST(CheckBox, TheKeyboardFocusShowsOneFrameRoundTheCaptionInsideTheBox) {
    CheckBoxOnWindow b("创建桌面快捷方式", 124);
    b.w.host->Elements().SetFocusElement(&b.box, true);
    b.box.PaintState(kStateFocused, false);
    GpImage* face = b.box.BackingBitmap();
    bool captionFrameSeen = false;
    for (int y = 0; y < 24; ++y) {
        for (int x : {2, 123})
            EXPECT_EQ(ImagePixel(face, x, y).a, 0) << x << "," << y;
        captionFrameSeen = captionFrameSeen || ImagePixel(face, 22, y).a > 0;
    }
    for (int x = 2; x < 20; ++x)
        EXPECT_EQ(ImagePixel(face, x, 21).a, 0) << x << ",21";
    EXPECT_TRUE(captionFrameSeen);
}

}  // namespace
}  // namespace ui::test

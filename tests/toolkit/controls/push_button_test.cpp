// Push buttons: the control's own face follows the mouse and the keyboard focus.
#include <gtest/gtest.h>

#include "tests/toolkit/toolkit_test_support.h"
#include "toolkit/controls/push_button.h"

namespace ui::test {
namespace {

TEST(PushButton, TheMouseAndTheKeyboardMoveItThroughItsStatesAndFaces) {
    AttachOptions options = Bare();
    options.settings.draggable = false;
    TestWindow w(options);
    PushButton button;
    ASSERT_TRUE(button.Create(w.window, {.rect = {20, 40, 60, 24}, .text = "浏览..."}));
    EXPECT_EQ(button.TypeId(), ElementType::kControl);
    auto face = [&] { return ImagePixel(button.BackingBitmap(), 30, 18); };
    auto send = [&](UINT message, WPARAM wParam) {
        SendMessageW(w.window, message, wParam, MAKELPARAM(50, 50));
    };
    Rgba normal = face();
    send(WM_MOUSEMOVE, 0);
    EXPECT_EQ(button.State(), kStateHover);
    Rgba hover = face();
    send(WM_LBUTTONDOWN, MK_LBUTTON);
    EXPECT_EQ(button.State(), kStatePressed);
    Rgba pressed = face();
    send(WM_LBUTTONUP, 0);
    EXPECT_EQ(button.State(), kStateHover);
    SendMessageW(w.window, WM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(button.State(), kStateNormal);
    // Three different looks; the gradient darkens towards the bottom except when pressed.
    EXPECT_FALSE(NearColour(normal, hover, 2));
    EXPECT_FALSE(NearColour(hover, pressed, 2));
    // The keyboard focus adds the dashed frame inside the face.
    Element other;
    ASSERT_TRUE(other.Create(w.window, SpecAt(150, 150, 10, 10)));
    w.host->Elements().SetFocusElement(&other, true);
    EXPECT_EQ(ImagePixel(button.BackingBitmap(), 2, 10).a,
              ImagePixel(button.BackingBitmap(), 3, 10).a);
    w.host->Elements().SetFocusElement(&button, true);
    EXPECT_EQ(button.State(), kStateFocused);
    bool dashed = false;
    for (int y = 3; y < 18; ++y)
        dashed = dashed || ImagePixel(button.BackingBitmap(), 2, y).a !=
                               ImagePixel(button.BackingBitmap(), 2, y + 1).a;
    EXPECT_TRUE(dashed);
}

}  // namespace
}  // namespace ui::test

#include "toolkit/controls/check_box.h"

#include <cmath>

#include "art/toolkit_art.h"
#include "toolkit/core/clip.h"
#include "toolkit/core/images.h"
#include "toolkit/core/shared_image.h"

namespace ui {

namespace {

// The check sheet, 68 x 17 without its PNG signature: four 17 x 17 frames, empty, empty
// highlighted, ticked, ticked highlighted.
SharedImage gSheet(art::Bytes(art::ToolkitImage::kCheckSheet), true);
constexpr float kFrameSize = 17;

int FrameFor(int state, bool checked) {
    bool plain = state == kStateNormal || state == kStateFocused;
    return (checked ? 3 : 1) + (plain ? 0 : 1);
}

float RoundHalfUp(float value) {
    return std::floor(value + 0.5f);
}

}  // namespace

CheckBox::~CheckBox() {
    Destroy();
}

void CheckBox::SetChecked(int value) {
    if (value == checked_) return;
    const bool wasChecked = checked_ != 0;
    checked_ = value;
    Redraw();
    if (wasChecked != (checked_ != 0)) Announce(EVENT_OBJECT_STATECHANGE);
}

void CheckBox::DescribeForAccessibility(AccessibleFacts& facts) const {
    Control::DescribeForAccessibility(facts);
    facts.role = AccessibleRole::kCheckButton;
    facts.action = AccessibleAction::kToggle;
    facts.checked = checked_ != 0;
}

bool CheckBox::DrawCustomFace(int, PaintContext&) {
    return true;  // no button face behind a check box
}

void CheckBox::BeforeContent(int state, RectF& text, RectF&) {
    RectF box{4, 4, 20, static_cast<float>(Height() - 8)};
    text.x = box.Right();
    // With the pressed shift of every control the caption stays where it is.
    if (state == kStatePressed) text.y -= 1;
    caption_ = text;
    GpGraphics* g = BackingGraphics();
    RectF saved = ClipBounds(g);
    DrawBox(state, box);
    gp::GdipSetClipRect(g, saved.x, saved.y, saved.width, saved.height,
                        Gdiplus::CombineModeReplace);
}

void CheckBox::DrawBox(int state, const RectF& box) {
    GpGraphics* g = BackingGraphics();
    gp::GdipSetClipRect(g, box.x, box.y, box.width, box.height, Gdiplus::CombineModeReplace);
    float left = (FrameFor(state, checked_ != 0) - 1) * kFrameSize;
    if (ImagePtr frame = CopyImageArea(gSheet.Get(), left, kFrameSize)) {
        RectF at{RoundHalfUp(box.x - (kFrameSize - box.width) / 2),
                 RoundHalfUp(box.y - (kFrameSize - box.height) / 2), kFrameSize, kFrameSize};
        DrawImageAlpha(g, frame.get(), at);
    }
    gp::GdipResetClip(g);
}

// Round the caption, kept 8 pixels inside the right edge.
void CheckBox::DrawFocusFrame() {
    if (!HasKeyboardFocus()) return;
    const RectF& text = caption_;
    RectF frame{text.x - 2, text.y - 2, text.width + 3, text.height + 3};
    float right = static_cast<float>(Width() - 8);
    if (frame.Right() - right > kGeometryEpsilon) frame.width = Width() - frame.x - 2;
    DrawKeyboardFocusFrame(frame);
}

void CheckBox::OnCreate() {
    gSheet.Get();
    Control::OnCreate();
}

void CheckBox::OnDestroy() {
    checked_ = 0;
    Control::OnDestroy();
}

void CheckBox::OnClick() {
    checked_ = (checked_ & 1) ^ 1;
    Redraw();
    Announce(EVENT_OBJECT_STATECHANGE);
    Control::OnClick();
}

}  // namespace ui

#include "toolkit/core/control.h"

#include "toolkit/core/element_host.h"
#include "toolkit/core/element_tree.h"
#include "toolkit/core/text_convert.h"
#include "toolkit/core/text_render.h"

namespace ui {

namespace {

// Face colours per state: fill, gradient top, gradient bottom, outer and inner outline, base
// line. Index: state + 1 (so the disabled look -1 comes first).
struct FaceColours {
    ARGB fill, gradientTop, gradientBottom, outer, inner, baseLine;
};
constexpr FaceColours kFaces[5] = {
    {Argb(0xFFFFFF, 51), Argb(0, 51), Argb(0, 51), Argb(0, 35), Argb(0xFFFFFF, 30), Argb(0, 0)},
    {Argb(0xECECEC, 204), Argb(0, 0), Argb(0, 102), Argb(0, 80), Argb(0xFFFFFF, 51), Argb(0, 25)},
    {Argb(0xECECEC, 204), Argb(0, 21), Argb(0, 153), Argb(0, 70), Argb(0xFFFFFF, 51), Argb(0, 30)},
    {Argb(0xECECEC, 204), Argb(0, 153), Argb(0xECECEC, 21), Argb(0, 70), Argb(0xFFFFFF, 51),
     Argb(0, 10)},
    {Argb(0xECECEC, 204), Argb(0, 51), Argb(0, 153), Argb(0, 80), Argb(0xFFFFFF, 61), Argb(0, 25)},
};

const FaceColours& FaceFor(int state) {
    return (state >= -1 && state <= 3) ? kFaces[state + 1] : kFaces[1];
}

ElementHost* HostOf(const ElementParent& parent) {
    return parent.element ? parent.element->Host() : ElementHost::FromWindow(parent.window);
}

}  // namespace

int AcceleratorCharacter(const std::wstring& text) {
    std::size_t amp = text.find(L'&');
    if (amp == std::wstring::npos || amp + 1 >= text.size()) return 0;
    return static_cast<int>(text[amp + 1]);
}

Control::~Control() {
    Destroy();
}

ElementHandle Control::Create(const ElementParent& parent, const ControlSpec& spec) {
    if (IsCreated()) Destroy();
    // Fields are in place before the element is created: creation paints the face.
    ElementHost* host = HostOf(parent);
    corners_ = spec.corners.value_or(host && host->RoundedCorners());
    text_ = ToWide(spec.text);
    style_.Apply(spec.style);
    style_.SetFormat(CreateControlFormat());
    state_ = kStateNormal;
    ElementHandle handle = Element::Create(
        parent,
        {.rect = spec.rect, .type = type_, .visible = spec.visible, .animationInterval = 60});
    if (!handle) style_.Release();
    return handle;
}

void Control::SetText(const std::string& text) {
    SetWideText(ToWide(text));
}

void Control::SetWideText(const std::wstring& text) {
    if (!IsCreated() || text == text_) return;
    text_ = text;
    RegisterAccelerator();
    Redraw();
    Announce(EVENT_OBJECT_NAMECHANGE);
}

void Control::DescribeForAccessibility(AccessibleFacts& facts) const {
    TextElement::DescribeForAccessibility(facts);
    facts.role = AccessibleRole::kPushButton;
    facts.action = AccessibleAction::kPress;
}

void Control::RegisterAccelerator() {
    if (Host()) Host()->Elements().RegisterAccelerator(this, AcceleratorCharacter(text_));
}

void Control::SetCorners(bool corners) {
    corners_ = corners;
    Redraw();
}

void Control::SetImage(const std::vector<std::uint8_t>& encoded) {
    image_ = encoded;
    decodedImage_ = LoadImage(ByteView(image_.data(), image_.size()));
    Redraw();
}

void Control::SetImageMode(ImageLayout mode) {
    imageMode_ = mode;
    Redraw();
}

float Control::ImageParameter(int index) const {
    return index >= 1 && index <= 3 ? imageParameters_[index - 1] : 0;
}

void Control::SetImageParameter(int index, float value) {
    if (index < 1 || index > 3) return;
    imageParameters_[index - 1] = value;
    Redraw();
}

bool Control::DrawCustomFace(int, PaintContext&) {
    return false;
}
void Control::BeforeContent(int, RectF&, RectF&) {}
void Control::DrawFocusFrame() {
    DrawKeyboardFocusFrame(
        {2, 2, static_cast<float>(Width() - 4), static_cast<float>(Height() - 5)});
}

// ---- Events

void Control::OnCreate() {
    RegisterAccelerator();
}

void Control::OnDestroy() {
    style_.Release();
    text_.clear();
    image_.clear();
    decodedImage_.Free();
    state_ = kStateNormal;
}

void Control::OnPaint() {
    PaintState();
}

void Control::OnMouseDown(const MouseEvent& event) {
    if (event.button == MouseButton::kLeft && Focusable()) PaintState(kStatePressed);
}

void Control::OnMouseUp(const MouseEvent& event) {
    if (event.button == MouseButton::kLeft && Focusable()) PaintState(kStateHover);
}

void Control::OnMouseEnter(Element*) {
    FadeTo(kStateHover);
}

void Control::OnMouseLeave(Element*) {
    FadeTo(kStateNormal);
}

void Control::OnFocusGained(Element*) {
    PaintState(kStateFocused);
}

void Control::OnFocusLost(Element*) {
    FadeTo(kStateNormal);
}

void Control::OnStateRepaint() {
    if (TypeId() == ElementType::kControl) PaintState();
}

void Control::OnTransitionEnd() {
    SetAnimationFrames(0);
}

void Control::FadeTo(int state) {
    SetAnimationFrames(4);
    PaintState(state);
}

void Control::PaintState(std::optional<int> state, bool present) {
    if (!IsCreated()) return;
    if (state) state_ = *state;
    PaintFace(present);
}

void Control::DrawFace(PaintContext& context) {
    if (!DrawCustomFace(state_, context)) DrawDefaultFace(state_);
    DrawContent(state_);
    DrawFocusFrame();
}

void Control::DrawDefaultFace(int state) {
    GpGraphics* g = BackingGraphics();
    const FaceColours& c = FaceFor(state);
    float w = static_cast<float>(Width()), h = static_cast<float>(Height());
    RectF face{0, 0, w, h - 1};
    if (corners_) {
        PathPtr path = RoundRectPath(face, 4);
        gp::GdipSetClipPath(g, path.get(), Gdiplus::CombineModeReplace);
    }
    FillRoundRect(g, face, 3, c.fill);
    FillGradient(g, face, c.gradientTop, c.gradientBottom, Gdiplus::LinearGradientModeVertical);
    if (corners_) {
        gp::GdipResetClip(g);
        DrawRoundRect(g, face, 3, c.outer);
        DrawRoundRect(g, Inflate(face, -1, -1), 3, c.inner);
    } else {
        DrawFrame(g, face, c.outer);
        DrawFrame(g, Inflate(face, -1, -1), c.inner);
    }
    DrawLine(g, c.baseLine, 1, h - 1, w - 2, h - 1);
}

void Control::DrawContent(int state) {
    GpGraphics* g = BackingGraphics();
    float w = static_cast<float>(Width()), h = static_cast<float>(Height());
    gp::GdipSetClipRect(g, 1, 1, w - 2, h - 2, Gdiplus::CombineModeReplace);
    GpImage* image = decodedImage_.Get();
    ImageSize imageSize = SizeOf(image);
    RectF face{0, 0, w, h - 1};
    RectF measured = MeasureRange(g, text_, Font(), TextFormat(), 0, WideLength(text_), face);
    ImageTextRects rects = LayoutImageAndText(
        static_cast<float>(imageSize.width), static_cast<float>(imageSize.height), imageMode_, face,
        measured.width, measured.height, imageParameters_[0], imageParameters_[1],
        image ? imageParameters_[2] : 0);
    if (state == kStatePressed) {
        rects.image = Offset(rects.image, 1, 1);
        rects.text = Offset(rects.text, 1, 1);
    }
    BeforeContent(state, rects.text, rects.image);
    if (image) DrawImageAlpha(g, image, rects.image);
    // The text rectangle fits the measured characters; drawing adds GDI+'s padding of a sixth
    // of the font size on both sides, which must not push the last character out.
    RectF drawn = rects.text;
    drawn.width += Font() ? FontSize(Font()) / 3 + 1 : 0;
    DrawStyledText(drawn);
    gp::GdipResetClip(g);
}

}  // namespace ui

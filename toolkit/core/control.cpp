#include "toolkit/core/control.h"

#include "toolkit/core/host_window.h"
#include "toolkit/core/images.h"
#include "toolkit/core/text_convert.h"
#include "toolkit/core/text_render.h"
#include "toolkit/core/toolkit.h"

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

}  // namespace

int AcceleratorCharacter(const std::wstring& text) {
    std::size_t amp = text.find(L'&');
    if (amp == std::wstring::npos || amp + 1 >= text.size()) return 0;
    return static_cast<int>(text[amp + 1]);
}

Control::~Control() {
    Destroy();
}

ElementHandle Control::Create(HWND hostWindow, const ControlSpec& spec) {
    if (IsCreated()) Destroy();
    HostWindow* host = HostWindow::FromWindow(hostWindow);
    corners_ = spec.corners.value_or(host && host->CornerStyle() != 0);
    ApplySpecFont(spec);
    ElementSpec element{spec.rect, kTypeControl, spec.visible, true, nullptr, 0, 60, 0, 0};
    return FinishCreate(Element::Create(hostWindow, element) != nullptr, spec);
}

ElementHandle Control::Create(Element* parent, const ControlSpec& spec) {
    if (IsCreated()) Destroy();
    HostWindow* host = parent ? parent->Host() : nullptr;
    corners_ = spec.corners.value_or(host && host->CornerStyle() != 0);
    ApplySpecFont(spec);
    ElementSpec element{spec.rect, kTypeControl, spec.visible, true, nullptr, 0, 60, 0, 0};
    return FinishCreate(Element::Create(parent, element) != nullptr, spec);
}

void Control::ApplySpecFont(const ControlSpec& spec) {
    // Fields are in place before the element is created: creation paints the face.
    text_ = ToWide(spec.text);
    textColor_ = spec.textColor;
    effectKind_ = spec.effectKind;
    effectColor_ = spec.effectColor;
    state_ = kStateNormal;
    ReleaseFont();
    if (spec.fontFamily.empty() && spec.fontSize == 12 && spec.fontStyle == 0) {
        font_ = DefaultFont();
    } else {
        std::string family =
            spec.fontFamily.empty() ? FontFamilyName(DefaultFont()) : spec.fontFamily;
        ownFont_ = CreateFont(family, spec.fontSize, spec.fontStyle);
        font_ = ownFont_ ? ownFont_.get() : DefaultFont();
    }
    format_ = CreateControlFormat();
}

ElementHandle Control::FinishCreate(bool created, const ControlSpec&) {
    if (!created) {
        format_.reset();
        ReleaseFont();
        return nullptr;
    }
    return Handle();
}

std::string Control::Text() const {
    return ToNarrow(text_);
}

void Control::SetText(const std::string& text) {
    SetWideText(ToWide(text));
}

void Control::SetWideText(const std::wstring& text) {
    if (!IsCreated() || text == text_) return;
    text_ = text;
    RegisterAccelerator();
    Redraw();
}

void Control::RegisterAccelerator() {
    if (Host()) Host()->RegisterAccelerator(this, AcceleratorCharacter(text_));
}

void Control::SetTextColor(ARGB colour) {
    textColor_ = colour;
    Redraw();
}

void Control::SetTextEffect(int kind) {
    effectKind_ = kind;
    Redraw();
}

void Control::ReleaseFont() {
    ownFont_.reset();
    font_ = nullptr;
}

void Control::ReplaceFont(FontPtr font) {
    ReleaseFont();
    ownFont_ = std::move(font);
    font_ = ownFont_ ? ownFont_.get() : DefaultFont();
    Redraw();
}

void Control::SetFontFamily(const std::string& family) {
    float size = font_ ? FontSize(font_) : 12;
    ReplaceFont(CreateFont(family, size, FontStyle(font_)));
}

void Control::SetFontStyle(int style) {
    float size = font_ ? FontSize(font_) : 12;
    ReplaceFont(CreateFont(FontFamilyName(font_ ? font_ : DefaultFont()), size, style));
}

void Control::SetFontSize(float size) {
    ReplaceFont(CreateFont(FontFamilyName(font_ ? font_ : DefaultFont()), size, FontStyle(font_)));
}

void Control::SetFont(FontPtr font) {
    ReplaceFont(std::move(font));
}

void Control::SetTextFormat(StringFormatPtr format) {
    format_ = std::move(format);
}

void Control::SetEffectColor(ARGB colour) {
    effectColor_ = colour;
    Redraw();
}

void Control::SetCorners(bool corners) {
    corners_ = corners;
    Redraw();
}

void Control::SetAutoTextColor(bool on) {
    autoColor_ = on;
    Redraw();
}

void Control::SetImage(const std::vector<std::uint8_t>& encoded) {
    image_ = encoded;
    Redraw();
}

void Control::SetImageMode(int mode) {
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
int Control::PreHandleMessage(UINT, WPARAM, LPARAM) {
    return -1;
}

int Control::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    int pre = PreHandleMessage(message, wParam, lParam);
    if (pre != -1) return pre;
    switch (message) {
        case kMsgCreate:
            RegisterAccelerator();
            break;
        case kMsgDestroy:
            format_.reset();
            ReleaseFont();
            text_.clear();
            image_.clear();
            state_ = kStateNormal;
            break;
        case kMsgPaint:
            PaintState();
            break;
        case WM_LBUTTONDOWN:
            if (Focusable()) PaintState(kStatePressed);
            break;
        case WM_LBUTTONUP:
            if (Focusable()) PaintState(kStateHover);
            break;
        case kMsgFocusGained:
            PaintState(kStateFocused);
            break;
        case kMsgFocusLost:
        case kMsgMouseLeave:
            SetAnimationFrames(4);
            PaintState(kStateNormal);
            break;
        case kMsgMouseEnter:
            SetAnimationFrames(4);
            PaintState(kStateHover);
            break;
        case kMsgStateRepaint:
            if (TypeId() == kTypeControl) PaintState();
            break;
        case kMsgTransitionEnd:
            SetAnimationFrames(0);
            break;
        default:
            break;
    }
    return -1;
}

void Control::PaintState(std::optional<int> state, bool present) {
    if (!IsCreated() || !BackingGraphics()) return;
    if (state) state_ = *state;
    PaintContext context = MakePaintContext();
    BeginFacePaint(context, present);
    if (!DrawCustomFace(state_, context)) DrawDefaultFace(state_);
    DrawContent(state_);
    if (Host() && Host()->KeyboardFocusElement() == this) {
        DrawFrame(BackingGraphics(),
                  {2, 2, static_cast<float>(Width() - 4), static_cast<float>(Height() - 5)},
                  kFrameDashed, Argb(0, 120), 1);
    }
    FinishFacePaint(context, present);
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

ARGB Control::EffectiveTextColor() const {
    if (!autoColor_ || !Host()) return textColor_;
    bool dark = Host()->BackgroundIsDark(Rect());
    return Argb(dark ? 0xFFFFFF : 0x000000, AlphaOf(textColor_));
}

void Control::DrawContent(int state) {
    GpGraphics* g = BackingGraphics();
    float w = static_cast<float>(Width()), h = static_cast<float>(Height());
    gp::GdipSetClipRect(g, 1, 1, w - 2, h - 2, Gdiplus::CombineModeReplace);
    LoadedImage image = LoadImage(ByteView(image_.data(), image_.size()));
    ImageSize imageSize = SizeOf(image.Get());
    RectF face{0, 0, w, h - 1};
    RectF measured = MeasureRange(g, text_, font_, format_.get(), 0, WideLength(text_), face);
    ImageTextRects rects = LayoutImageAndText(
        static_cast<float>(imageSize.width), static_cast<float>(imageSize.height), imageMode_, face,
        measured.width, measured.height, imageParameters_[0], imageParameters_[1],
        image ? imageParameters_[2] : 0);
    if (state == kStatePressed) {
        rects.image = Offset(rects.image, 1, 1);
        rects.text = Offset(rects.text, 1, 1);
    }
    BeforeContent(state, rects.text, rects.image);
    if (image) DrawImageAlpha(g, image.Get(), rects.image);
    // The text rectangle fits the measured characters; drawing adds GDI+'s padding of a sixth
    // of the font size on both sides, which must not push the last character out.
    RectF drawn = rects.text;
    drawn.width += font_ ? FontSize(font_) / 3 + 1 : 0;
    DrawText(g, drawn, text_, font_, EffectiveTextColor(), format_.get(), effectKind_,
             effectColor_);
    gp::GdipResetClip(g);
}

}  // namespace ui

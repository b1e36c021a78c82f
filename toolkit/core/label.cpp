#include "toolkit/core/label.h"

#include <cmath>

#include "toolkit/core/text_convert.h"

namespace ui {

namespace {

constexpr int kMultiLineFlags =
    Gdiplus::StringFormatFlagsNoFontFallback | Gdiplus::StringFormatFlagsMeasureTrailingSpaces |
    Gdiplus::StringFormatFlagsLineLimit | Gdiplus::StringFormatFlagsNoClip;

}  // namespace

Label::~Label() {
    Destroy();
}

ElementHandle Label::Create(const ElementParent& parent, const LabelSpec& spec) {
    if (IsCreated()) Destroy();
    // Fields are in place before the element is created: creation measures and paints.
    text_ = ToWide(spec.text);
    style_.Apply(spec.style);
    gradientMode_ = spec.gradientMode;
    gradient1_ = spec.gradientColor1;
    gradient2_ = spec.gradientColor2;
    multiLine_ = spec.multiLine;
    verticalAlignment_ = spec.verticalAlignment;
    frameStyle_ = spec.frameStyle;
    pendingTransition_ = false;
    BuildFormat(spec.alignment, spec.trimming);
    ElementHandle handle = Element::Create(parent, {.rect = spec.rect,
                                                    .type = ElementType::kLabel,
                                                    .visible = spec.visible,
                                                    .focusable = false});
    if (!handle) style_.Release();
    return handle;
}

void Label::BuildFormat(int alignment, int trimming) {
    GpStringFormat* format = nullptr;
    gp::GdipCreateStringFormat(multiLine_ ? kMultiLineFlags : Gdiplus::StringFormatFlagsNoWrap, 0,
                               &format);
    gp::GdipSetStringFormatAlign(format, static_cast<Gdiplus::StringAlignment>(alignment));
    gp::GdipSetStringFormatTrimming(format, static_cast<Gdiplus::StringTrimming>(trimming));
    gp::GdipSetStringFormatHotkeyPrefix(format, Gdiplus::HotkeyPrefixNone);
    style_.SetFormat(StringFormatPtr(format));
}

void Label::SetText(const std::string& text, std::optional<TransitionStyle> transition, int frames,
                    int interval) {
    SetWideText(ToWide(text), transition, frames, interval);
}

void Label::SetWideText(const std::wstring& text, std::optional<TransitionStyle> transition,
                        int frames, int interval) {
    if (!IsCreated()) return;
    if (transition) {
        pendingTransition_ = true;
        SetTransition(*transition);
        transitionFrames_ = frames;
        transitionInterval_ = interval;
    } else {
        pendingTransition_ = false;
        if (text == text_) return;
    }
    text_ = text;
    MeasureText();
    Redraw();
    Announce(EVENT_OBJECT_NAMECHANGE);
}

void Label::SetGradient(int mode, ARGB colour1, ARGB colour2) {
    gradientMode_ = mode;
    gradient1_ = colour1;
    gradient2_ = colour2;
    Redraw();
}

void Label::SetFrameStyle(std::uint32_t style) {
    frameStyle_ = style;
    Redraw();
}

void Label::SetAlignment(int alignment) {
    gp::GdipSetStringFormatAlign(TextFormat(), static_cast<Gdiplus::StringAlignment>(alignment));
    Redraw();
}

void Label::SetVerticalAlignment(VerticalAlignment alignment) {
    verticalAlignment_ = alignment;
    Redraw();
}

void Label::SetTrimming(int trimming) {
    gp::GdipSetStringFormatTrimming(TextFormat(), static_cast<Gdiplus::StringTrimming>(trimming));
    Redraw();
}

void Label::SetMultiLine(bool on) {
    multiLine_ = on;
    gp::GdipSetStringFormatFlags(TextFormat(),
                                 on ? kMultiLineFlags : Gdiplus::StringFormatFlagsNoWrap);
    MeasureText();
    Redraw();
}

void Label::TextStyleChanged(bool fontChanged) {
    if (fontChanged) MeasureText();
    Redraw();
}

void Label::MeasureText() {
    GpGraphics* g = BackingGraphics();
    GpFont* font = Font();
    if (!g || !font) return;
    RectF layout;
    if (!multiLine_) {
        float fontHeight = 0;
        gp::GdipGetFontHeight(font, g, &fontHeight);
        layout = {Rect().x, Rect().y, Rect().width, fontHeight};
    }
    RectF bounds = MeasureString(g, text_, font, TextFormat(), layout);
    measuredWidth_ = static_cast<int>(std::lround(bounds.width));
    measuredHeight_ = static_cast<int>(std::lround(bounds.height));
}

void Label::BeforeText(RectF&) {}

// ---- Events

void Label::OnCreate() {
    MeasureText();
}

void Label::OnDestroy() {
    text_.clear();
    style_.effectColor = 0;
    style_.Release();
}

void Label::OnPaint() {
    Paint();
}

void Label::OnFocusGained(Element*) {
    if (Focusable()) Paint();
}

void Label::OnFocusLost(Element*) {
    if (Focusable()) Paint();
}

void Label::OnSizeChanged(int, int) {
    MeasureText();
}

void Label::OnStateRepaint() {
    if (AutoTextColor()) Paint();
}

void Label::OnTransitionEnd() {
    pendingTransition_ = false;
    transitionInterval_ = transitionFrames_ = 0;
    SetAnimationFrames(0);
}

void Label::Paint() {
    if (pendingTransition_) SetAnimationFrames(transitionFrames_, transitionInterval_);
    PaintFace(true);
}

RectF Label::PlaceText(float w, float h) const {
    RectF textRect{2, 2, w - 4, h - 4};
    if (multiLine_) return textRect;
    float mh = static_cast<float>(measuredHeight_);
    if (verticalAlignment_ == VerticalAlignment::kMiddle) {
        textRect.y = 2 + (h - 4 - mh) / 2;
    } else if (verticalAlignment_ == VerticalAlignment::kBottom) {
        textRect.y = 2 + (h - 4) - mh - 2;
    } else {
        textRect.y = 4;
    }
    textRect.height = mh;
    return textRect;
}

void Label::DrawFace(PaintContext&) {
    GpGraphics* g = BackingGraphics();
    float w = static_cast<float>(Width()), h = static_cast<float>(Height());
    RectF face{0, 0, w, h};
    if (frameStyle_) DrawFrame(g, face, frameStyle_);
    if (gradientMode_ != -1) FillGradient(g, face, gradient1_, gradient2_, gradientMode_);
    if (!text_.empty()) {
        gp::GdipSetClipRect(g, 2, 2, w - 4, h - 4, Gdiplus::CombineModeReplace);
        RectF textRect = PlaceText(w, h);
        BeforeText(textRect);
        DrawStyledText(textRect);
        gp::GdipResetClip(g);
    }
    DrawKeyboardFocusFrame(face);
}

}  // namespace ui

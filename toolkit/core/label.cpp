#include "toolkit/core/label.h"

#include <cmath>

#include "toolkit/core/host_window.h"
#include "toolkit/core/text_convert.h"
#include "toolkit/core/text_render.h"
#include "toolkit/core/toolkit.h"

namespace ui {

namespace {

constexpr int kMultiLineFlags =
    Gdiplus::StringFormatFlagsNoFontFallback | Gdiplus::StringFormatFlagsMeasureTrailingSpaces |
    Gdiplus::StringFormatFlagsLineLimit | Gdiplus::StringFormatFlagsNoClip;

}  // namespace

Label::~Label() {
    Destroy();
}

ElementHandle Label::Prepare(const LabelSpec& spec) {
    text_ = ToWide(spec.text);
    textColor_ = spec.textColor;
    gradientMode_ = spec.gradientMode;
    gradient1_ = spec.gradientColor1;
    gradient2_ = spec.gradientColor2;
    multiLine_ = spec.multiLine;
    verticalAlignment_ = spec.verticalAlignment;
    effectKind_ = spec.effectKind;
    frameStyle_ = spec.frameStyle;
    autoColor_ = spec.autoColor;
    effectColor_ = spec.effectColor;
    pendingTransition_ = false;
    ReleaseFont();
    if (spec.fontFamily.empty() && spec.fontSize == 12 && spec.fontStyle == 0) {
        font_ = DefaultFont();
    } else {
        std::string family =
            spec.fontFamily.empty() ? FontFamilyName(DefaultFont()) : spec.fontFamily;
        ownFont_ = CreateFont(family, spec.fontSize, spec.fontStyle);
        font_ = ownFont_ ? ownFont_.get() : DefaultFont();
    }
    BuildFormat(spec.alignment, spec.trimming);
    return nullptr;
}

ElementHandle Label::Create(HWND hostWindow, const LabelSpec& spec) {
    if (IsCreated()) Destroy();
    Prepare(spec);
    ElementSpec element{spec.rect, kTypeLabel, spec.visible, false, nullptr, 0, 0, 0, 0};
    ElementHandle handle = Element::Create(hostWindow, element);
    if (!handle) ReleaseFont();
    return handle;
}

ElementHandle Label::Create(Element* parent, const LabelSpec& spec) {
    if (IsCreated()) Destroy();
    Prepare(spec);
    ElementSpec element{spec.rect, kTypeLabel, spec.visible, false, nullptr, 0, 0, 0, 0};
    ElementHandle handle = Element::Create(parent, element);
    if (!handle) ReleaseFont();
    return handle;
}

void Label::BuildFormat(int alignment, int trimming) {
    GpStringFormat* format = nullptr;
    gp::GdipCreateStringFormat(multiLine_ ? kMultiLineFlags : Gdiplus::StringFormatFlagsNoWrap, 0,
                               &format);
    gp::GdipSetStringFormatAlign(format, static_cast<Gdiplus::StringAlignment>(alignment));
    gp::GdipSetStringFormatTrimming(format, static_cast<Gdiplus::StringTrimming>(trimming));
    gp::GdipSetStringFormatHotkeyPrefix(format, Gdiplus::HotkeyPrefixNone);
    format_.reset(format);
}

std::string Label::Text() const {
    return ToNarrow(text_);
}

void Label::SetText(const std::string& text, std::optional<int> transition, int frames,
                    int interval) {
    SetWideText(ToWide(text), transition, frames, interval);
}

void Label::SetWideText(const std::wstring& text, std::optional<int> transition, int frames,
                        int interval) {
    if (!IsCreated()) return;
    if (transition) {
        pendingTransition_ = true;
        SetTransitionStyle(*transition);
        transitionFrames_ = frames;
        transitionInterval_ = interval;
    } else {
        pendingTransition_ = false;
        if (text == text_) return;
    }
    text_ = text;
    MeasureText();
    Redraw();
}

void Label::SetTextColor(ARGB colour) {
    textColor_ = colour;
    Redraw();
}
void Label::SetEffectColor(ARGB colour) {
    effectColor_ = colour;
    Redraw();
}
void Label::SetEffectKind(int kind) {
    effectKind_ = kind;
    Redraw();
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
void Label::SetAutoColor(bool on) {
    autoColor_ = on;
    Redraw();
}
void Label::SetAlignment(int alignment) {
    gp::GdipSetStringFormatAlign(format_.get(), static_cast<Gdiplus::StringAlignment>(alignment));
    Redraw();
}
void Label::SetVerticalAlignment(int alignment) {
    verticalAlignment_ = alignment;
    Redraw();
}
void Label::SetTrimming(int trimming) {
    gp::GdipSetStringFormatTrimming(format_.get(), static_cast<Gdiplus::StringTrimming>(trimming));
    Redraw();
}
void Label::SetMultiLine(bool on) {
    multiLine_ = on;
    gp::GdipSetStringFormatFlags(format_.get(),
                                 on ? kMultiLineFlags : Gdiplus::StringFormatFlagsNoWrap);
    MeasureText();
    Redraw();
}

void Label::ReleaseFont() {
    ownFont_.reset();
    font_ = nullptr;
}

void Label::ReplaceFont(FontPtr font) {
    ReleaseFont();
    ownFont_ = std::move(font);
    font_ = ownFont_ ? ownFont_.get() : DefaultFont();
    MeasureText();
    Redraw();
}

void Label::SetFontFamily(const std::string& family) {
    ReplaceFont(CreateFont(family, font_ ? FontSize(font_) : 12, FontStyle(font_)));
}
void Label::SetFontStyle(int style) {
    ReplaceFont(CreateFont(FontFamilyName(font_ ? font_ : DefaultFont()),
                           font_ ? FontSize(font_) : 12, style));
}
void Label::SetFontSize(float size) {
    ReplaceFont(CreateFont(FontFamilyName(font_ ? font_ : DefaultFont()), size, FontStyle(font_)));
}

void Label::MeasureText() {
    GpGraphics* g = BackingGraphics();
    if (!g || !font_) return;
    Gdiplus::RectF layout(0, 0, 0, 0);
    if (!multiLine_) {
        float fontHeight = 0;
        gp::GdipGetFontHeight(font_, g, &fontHeight);
        RectF r = Rect();
        layout = Gdiplus::RectF(r.x, r.y, r.width, fontHeight);
    }
    Gdiplus::RectF bounds;
    gp::GdipMeasureString(g, text_.c_str(), -1, font_, &layout, format_.get(), &bounds, nullptr,
                          nullptr);
    measuredWidth_ = static_cast<int>(std::lround(bounds.Width));
    measuredHeight_ = static_cast<int>(std::lround(bounds.Height));
}

void Label::BeforeText(RectF&) {}
int Label::PreHandleMessage(UINT, WPARAM, LPARAM) {
    return -1;
}

int Label::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    int pre = PreHandleMessage(message, wParam, lParam);
    if (pre != -1) return pre;
    switch (message) {
        case kMsgCreate:
            MeasureText();
            break;
        case kMsgDestroy:
            text_.clear();
            effectColor_ = 0;
            ReleaseFont();
            format_.reset();
            break;
        case kMsgPaint:
            Paint();
            break;
        case kMsgFocusGained:
        case kMsgFocusLost:
            if (Focusable()) Paint();
            break;
        case kMsgSizeChanged:
            MeasureText();
            break;
        case kMsgStateRepaint:
            if (autoColor_) Paint();
            break;
        case kMsgTransitionEnd:
            pendingTransition_ = false;
            transitionInterval_ = transitionFrames_ = 0;
            SetAnimationFrames(0);
            break;
        default:
            break;
    }
    return -1;
}

void Label::Paint() {
    GpGraphics* g = BackingGraphics();
    if (!IsCreated() || !g) return;
    if (pendingTransition_) SetAnimationFrames(transitionFrames_, transitionInterval_);
    PaintContext context = MakePaintContext();
    BeginFacePaint(context, true);
    float w = static_cast<float>(Width()), h = static_cast<float>(Height());
    RectF face{0, 0, w, h};
    if (frameStyle_) DrawFrame(g, face, frameStyle_);
    if (gradientMode_ != -1) FillGradient(g, face, gradient1_, gradient2_, gradientMode_);
    if (!text_.empty()) {
        RectF textRect{2, 2, w - 4, h - 4};
        gp::GdipSetClipRect(g, textRect.x, textRect.y, textRect.width, textRect.height,
                            Gdiplus::CombineModeReplace);
        ARGB colour = textColor_;
        if (autoColor_ && Host()) {
            colour = Argb(Host()->BackgroundIsDark(Rect()) ? 0xFFFFFF : 0, AlphaOf(textColor_));
        }
        if (!multiLine_) {
            float mh = static_cast<float>(measuredHeight_);
            if (verticalAlignment_ == kAlignMiddle) {
                textRect.y = 2 + (h - 4 - mh) / 2;
            } else if (verticalAlignment_ == kAlignBottom) {
                textRect.y = 2 + (h - 4) - mh - 2;
            } else {
                textRect.y = 4;
            }
            textRect.height = mh;
        }
        BeforeText(textRect);
        DrawText(g, textRect, text_, font_, colour, format_.get(), effectKind_, effectColor_);
        gp::GdipResetClip(g);
    }
    if (Host() && Host()->KeyboardFocusElement() == this) DrawFrame(g, face, kFrameDashed);
    FinishFacePaint(context, true);
}

}  // namespace ui

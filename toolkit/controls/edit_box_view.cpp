// EditBox: layout, measuring, scrolling and drawing of the text, selection and caret.

#include <algorithm>
#include <cmath>

#include "toolkit/controls/edit_box.h"
#include "toolkit/core/clip.h"
#include "toolkit/core/shapes.h"
#include "toolkit/core/text_convert.h"
#include "toolkit/core/text_render.h"

namespace ui {

namespace {

// The frame, and the room between it and the text.
constexpr float kFrame = 1;
constexpr float kPadding = 2;
constexpr float kBarThickness = 10;
// A selected line break shows as this much highlight after its line.
constexpr float kLineBreakWidth = 4;
// Wide enough that no line is ever wrapped or cut by its layout rectangle.
constexpr float kLayoutWidth = 1e6f;

constexpr ARGB kFrameColour = Argb(0x7A7A7A, 200);
constexpr ARGB kFocusFrameColour = Argb(0x3A8EE6, 255);
constexpr ARGB kSelectionColour = Argb(0x3399FF, 255);
constexpr ARGB kSelectedTextColour = Argb(0xFFFFFF, 255);

// Whole pixels, without anti-aliased edges.
void FillCrisp(GpGraphics* g, const RectF& rect, ARGB colour) {
    Gdiplus::SmoothingMode smoothing = Gdiplus::SmoothingModeAntiAlias;
    gp::GdipGetSmoothingMode(g, &smoothing);
    gp::GdipSetSmoothingMode(g, Gdiplus::SmoothingModeNone);
    FillSolid(g, rect, colour);
    gp::GdipSetSmoothingMode(g, smoothing);
}

}  // namespace

// ---- Layout and measuring

void EditBox::MeasureFont() {
    GpGraphics* g = BackingGraphics();
    float height = 0;
    if (Font() && g) gp::GdipGetFontHeight(Font(), g, &height);
    lineHeight_ = height > 0 ? std::ceil(height) : 14;
    // GDI+ leaves a little room before the first glyph; the text is drawn that much further left
    // so that widths count from the glyphs.
    const RectF first =
        MeasureRange(g, L"x", Font(), TextFormat(), 0, 1, {0, 0, kLayoutWidth, lineHeight_ * 2});
    leadingSpace_ = std::round(first.x);
}

void EditBox::TextStyleChanged(bool fontChanged) {
    if (fontChanged && IsCreated()) {
        MeasureFont();
        if (ownsSystemCaret_) {
            ownsSystemCaret_ =
                CreateCaret(Window(), nullptr, 1, static_cast<int>(lineHeight_) + 3) != FALSE;
        }
        ScrollToCaret();
        PlaceSystemCaret();
    }
    Redraw();
}

RectF EditBox::TextArea() const {
    const float inset = kFrame + kPadding;
    float right = Width() - inset;
    float bottom = Height() - kFrame;
    if (verticalBar_.IsCreated() && verticalBar_.Visible()) right -= kBarThickness;
    if (horizontalBar_.IsCreated() && horizontalBar_.Visible()) bottom -= kBarThickness;
    return {inset, kFrame, std::max(right - inset, 1.0f), std::max(bottom - kFrame, 1.0f)};
}

int EditBox::VisibleLines() const {
    if (!model_.IsMultiLine()) return 1;
    return std::max(static_cast<int>((TextArea().height - 2) / lineHeight_), 1);
}

float EditBox::LineTop(int line) const {
    if (!model_.IsMultiLine()) return std::floor((Height() - lineHeight_) / 2);
    return TextArea().y + 1 + (line - firstLine_) * lineHeight_;
}

int EditBox::TextWidth(std::string_view displayed) const {
    if (displayed.empty()) return 0;
    const std::wstring text = ToWide(std::string(displayed));
    const RectF bounds = MeasureRange(BackingGraphics(), text, Font(), TextFormat(), 0,
                                      WideLength(text), {0, 0, kLayoutWidth, lineHeight_ * 2});
    return static_cast<int>(std::lround(bounds.Right() - leadingSpace_));
}

int EditBox::CaretX() const {
    const EditPosition caret = model_.Caret();
    return TextWidth(std::string_view(display_.Line(caret.line)).substr(0, display_.Column(caret)));
}

EditPosition EditBox::PositionAt(int windowX, int windowY) const {
    const RectF area = TextArea();
    const float x = windowX - Rect().x - area.x + scrollX_;
    const float y = windowY - Rect().y;
    int line = 0;
    if (model_.IsMultiLine()) {
        line = firstLine_ + static_cast<int>(std::floor((y - LineTop(firstLine_)) / lineHeight_));
        line = std::clamp(line, 0, model_.LineCount() - 1);
    }
    return display_.PositionAtX(line, static_cast<int>(std::lround(x)),
                                [this](std::string_view bytes) { return TextWidth(bytes); });
}

// ---- Scrolling

void EditBox::ScrollToCaret() {
    if (!IsCreated()) return;
    scrollX_ =
        display_.ScrollOffsetForCaret([this](std::string_view bytes) { return TextWidth(bytes); },
                                      static_cast<int>(TextArea().width), scrollX_);
    if (model_.IsMultiLine()) firstLine_ = display_.FirstLineForCaret(VisibleLines(), firstLine_);
    UpdateScrollBars();
}

void EditBox::LayOutScrollBars() {
    if (!verticalBar_.IsCreated()) return;
    const float width = static_cast<float>(Width()), height = static_cast<float>(Height());
    const bool both = verticalBar_.Visible() && horizontalBar_.Visible();
    const float corner = both ? kBarThickness : 0;
    verticalBar_.SetRect({Rect().x + width - kFrame - kBarThickness, Rect().y + kFrame,
                          kBarThickness, height - 2 * kFrame - corner});
    horizontalBar_.SetRect({Rect().x + kFrame, Rect().y + height - kFrame - kBarThickness,
                            width - 2 * kFrame - corner, kBarThickness});
}

void EditBox::UpdateScrollBars() {
    if (!verticalBar_.IsCreated()) return;
    verticalBar_.SetRange(model_.LineCount(), VisibleLines(), firstLine_);
    if (!horizontalBar_.Visible()) return;
    int widest = 0;
    for (int line = 0; line < model_.LineCount(); ++line)
        widest = std::max(widest, TextWidth(display_.Line(line)) + 1);
    horizontalBar_.SetRange(widest, static_cast<int>(TextArea().width), scrollX_);
}

void EditBox::ScrollTo(std::optional<int> x, std::optional<int> firstLine) {
    if (x) scrollX_ = std::max(*x, 0);
    if (firstLine) {
        const int last = std::max(model_.LineCount() - VisibleLines(), 0);
        firstLine_ = std::clamp(*firstLine, 0, last);
    }
    UpdateScrollBars();
    PlaceSystemCaret();
    PaintFace();
}

// The system caret is never shown (the box draws its own); input-method windows open beside it.
void EditBox::PlaceSystemCaret() {
    if (!ownsSystemCaret_) return;
    SetCaretPos(static_cast<int>(Rect().x + TextArea().x) + CaretX() - scrollX_,
                static_cast<int>(Rect().y + LineTop(model_.Caret().line)) - 1);
}

// ---- Drawing

void EditBox::DrawFace(PaintContext&) {
    GpGraphics* g = BackingGraphics();
    const RectF face{0, 0, static_cast<float>(Width()), static_cast<float>(Height())};
    FillCrisp(g, face, secondColor_);
    DrawFrame(g, face, IsFocused() ? kFocusFrameColour : kFrameColour);
    const RectF area = TextArea();
    ClipScope clip(g, area);
    const ARGB colour = CurrentTextColor();
    const int last = std::min(firstLine_ + VisibleLines() + 1, model_.LineCount());
    for (int line = model_.IsMultiLine() ? firstLine_ : 0; line < last; ++line) {
        // The highlight, the line, and its selected part again over the highlight in the
        // highlight's text colour.
        const RectF highlight = SelectionRect(line, area);
        if (!highlight.IsEmpty()) FillCrisp(g, highlight, kSelectionColour);
        DrawLine(line, area, colour);
        if (highlight.IsEmpty()) continue;
        ClipScope selected(g, highlight);
        DrawLine(line, area, kSelectedTextColour);
    }
    DrawCaret(area);
}

void EditBox::DrawLine(int line, const RectF& area, ARGB colour) {
    const std::wstring shown = ToWide(display_.Line(line));
    style_.Draw(BackingGraphics(),
                {area.x - leadingSpace_ - scrollX_, LineTop(line), kLayoutWidth, lineHeight_ * 2},
                shown, colour);
}

// Where the selected part of a line is shown; empty when none is. Only the focused box shows a
// selection.
RectF EditBox::SelectionRect(int line, const RectF& area) const {
    if (!model_.HasSelection() || !IsFocused()) return {};
    const EditPosition start = model_.SelectionStart(), end = model_.SelectionEnd();
    if (line < start.line || line > end.line) return {};
    const std::string shown = display_.Line(line);
    const int from = line == start.line ? display_.Column(start) : 0;
    const int to = line == end.line ? display_.Column(end) : static_cast<int>(shown.size());
    const float left = static_cast<float>(TextWidth(std::string_view(shown).substr(0, from)));
    float right = static_cast<float>(TextWidth(std::string_view(shown).substr(0, to)));
    if (line < end.line) right += kLineBreakWidth;
    return {area.x + left - scrollX_, LineTop(line), right - left, lineHeight_};
}

void EditBox::DrawCaret(const RectF& area) {
    if (!blinkOn_ || !IsFocused()) return;
    const RectF bar{area.x + CaretX() - scrollX_, LineTop(model_.Caret().line) - 1, 1,
                    lineHeight_ + 3};
    FillCrisp(BackingGraphics(), bar, Argb(CurrentTextColor() & 0xFFFFFF, 255));
}

}  // namespace ui

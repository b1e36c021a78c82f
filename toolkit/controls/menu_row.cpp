#include "toolkit/controls/menu_row.h"

#include "toolkit/core/control.h"
#include "toolkit/core/element_host.h"
#include "toolkit/core/element_tree.h"
#include "toolkit/core/text_convert.h"
#include "toolkit/core/toolkit.h"

namespace ui {

namespace {

// Inside the row (window x 8 on): the icon column is 24 wide, the text starts at 30.
constexpr float kIconSize = 16;
constexpr float kIconColumnWidth = 24;
constexpr float kTextLeft = 30;
constexpr float kArrowRoom = 14;

// A glyph of the toolkit's skin (white) drawn in `colour` instead.
void DrawTintedGlyph(GpGraphics* g, SkinGlyph glyph, float x, float y, ARGB colour) {
    GpImage* skin = DefaultSkin();
    if (!skin) return;
    Gdiplus::ColorMatrix matrix{};
    matrix.m[3][3] = AlphaOf(colour) / 255.0f;
    matrix.m[4][0] = ((colour >> 16) & 0xFF) / 255.0f;
    matrix.m[4][1] = ((colour >> 8) & 0xFF) / 255.0f;
    matrix.m[4][2] = (colour & 0xFF) / 255.0f;
    matrix.m[4][4] = 1;
    GpImageAttributes* attributes = nullptr;
    gp::GdipCreateImageAttributes(&attributes);
    ImageAttributesPtr owner(attributes);
    gp::GdipSetImageAttributesColorMatrix(attributes, Gdiplus::ColorAdjustTypeDefault, TRUE,
                                          &matrix, nullptr, Gdiplus::ColorMatrixFlagsDefault);
    float cell = static_cast<float>(kSkinCell);
    gp::GdipDrawImageRectRect(g, skin, x, y, cell, cell, static_cast<float>(glyph) * cell, 0, cell,
                              cell, Gdiplus::UnitPixel, attributes, nullptr, nullptr);
}

}  // namespace

MenuRow::MenuRow(MenuRowEvents& events, const MenuItem& item, ARGB accent)
    : events_(events), item_(item), accent_(accent) {}

MenuRow::~MenuRow() {
    Destroy();
}

ElementHandle MenuRow::Create(HWND menuWindow, const RectF& rect) {
    if (IsCreated()) Destroy();
    text_ = ToWide(item_.text);
    style_.Apply(
        {.color = item_.textColor, .effect = item_.effect, .effectColor = item_.effectColor});
    StringFormatPtr format = CreateControlFormat();
    gp::GdipSetStringFormatLineAlign(format.get(), Gdiplus::StringAlignmentCenter);
    style_.SetFormat(std::move(format));
    icon_ = LoadImage(ByteView(item_.icon.data(), item_.icon.size()));
    bool separator = IsSeparator();
    ElementHandle handle = Element::Create(
        menuWindow, {.rect = rect,
                     .type = separator ? ElementType::kNoTabFocus : ElementType::kPlain,
                     .focusable = !separator});
    if (!handle) {
        style_.Release();
        icon_.Free();
        return nullptr;
    }
    if (item_.state == kMenuItemDisabled) SetDisabled(true);
    return handle;
}

void MenuRow::SetHighlighted(bool on) {
    if (on == highlighted_) return;
    highlighted_ = on;
    Redraw();
    if (on) Announce(EVENT_OBJECT_FOCUS);  // what a screen reader follows through a menu
}

void MenuRow::DescribeForAccessibility(AccessibleFacts& facts) const {
    TextElement::DescribeForAccessibility(facts);
    if (IsSeparator()) return;
    facts.role = AccessibleRole::kMenuItem;
    facts.action = AccessibleAction::kPress;
    facts.checked = item_.state == kMenuItemChecked;
}

// ---- Events

void MenuRow::OnCreate() {
    if (!IsSeparator()) Host()->Elements().RegisterAccelerator(this, AcceleratorCharacter(text_));
}

void MenuRow::OnDestroy() {
    StopTimer();
    style_.Release();
    icon_.Free();
    text_.clear();
    highlighted_ = false;
}

void MenuRow::OnPaint() {
    PaintFace();
}

void MenuRow::OnMouseEnter(Element*) {
    events_.RowEntered(*this);
}

void MenuRow::OnMouseLeave(Element*) {
    events_.RowLeft(*this);
}

void MenuRow::OnClick() {
    events_.RowClicked(*this);
}

void MenuRow::OnTimer(UINT_PTR) {
    events_.RowTimer(*this);
}

ARGB MenuRow::TextColour() const {
    if (highlighted_ && item_.hoverColor) return item_.hoverColor;
    return item_.textColor;
}

void MenuRow::DrawFace(PaintContext&) {
    GpGraphics* g = BackingGraphics();
    float w = static_cast<float>(Width()), h = static_cast<float>(Height());
    if (IsSeparator()) {
        DrawSeparator(g, w);
        return;
    }
    if (highlighted_) DrawHighlight(g, w, h);
    DrawIconColumn(g);
    if (OpensSubmenu()) {
        DrawTintedGlyph(g, kGlyphSubmenu, w - kArrowRoom, (h - kSkinCell) / 2,
                        Argb(TextColour(), 200));
    }
    RectF textRect{kTextLeft, 0, w - kTextLeft - (OpensSubmenu() ? kArrowRoom : 2), h};
    style_.Draw(g, textRect, text_, TextColour());
}

void MenuRow::DrawHighlight(GpGraphics* g, float w, float h) const {
    RectF face{0, 1, w, h - 2};
    FillRoundRect(g, face, 4, Argb(accent_, 48));
    DrawRoundRect(g, face, 4, Argb(accent_, 120));
}

void MenuRow::DrawSeparator(GpGraphics* g, float w) const {
    DrawLine(g, Argb(0, 45), 0, 1, w, 1);
    DrawLine(g, Argb(0xFFFFFF, 160), 0, 2, w, 2);
}

void MenuRow::DrawIconColumn(GpGraphics* g) const {
    float top = (Height() - kIconSize) / 2;
    if (item_.state == kMenuItemChecked) {
        float offset = (kIconColumnWidth - kSkinCell) / 2;
        DrawTintedGlyph(g, kGlyphCheck, offset, (Height() - kSkinCell) / 2.0f,
                        Argb(TextColour(), 230));
    } else if (GpImage* icon = icon_.Get()) {
        DrawImageAlpha(g, icon, {(kIconColumnWidth - kIconSize) / 2, top, kIconSize, kIconSize});
    }
}

}  // namespace ui

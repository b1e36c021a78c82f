#include "toolkit/core/caption_button.h"

#include "toolkit/core/host_settings.h"
#include "toolkit/core/images.h"
#include "toolkit/core/toolkit.h"

namespace ui {

CaptionButton::~CaptionButton() {
    Destroy();
}

ElementHandle CaptionButton::Create(HWND hostWindow, int flag) {
    flag_ = flag;
    ElementHandle handle = Control::Create(
        hostWindow, {.rect = {0, 7, kCaptionButtonWidth, kCaptionButtonHeight}, .corners = true});
    if (handle) SetFocusable(false);  // a title-bar click must not take the focus
    return handle;
}

void CaptionButton::DescribeForAccessibility(AccessibleFacts& facts) const {
    Control::DescribeForAccessibility(facts);
    if (!facts.name.empty()) return;
    switch (flag_) {
        case kCaptionClose:
            facts.name = L"关闭";
            break;
        case kCaptionMaximise:
            facts.name = IsZoomed(Window()) ? L"还原" : L"最大化";
            break;
        case kCaptionMinimise:
            facts.name = L"最小化";
            break;
        default:
            break;
    }
}

int CaptionButton::Glyph() const {
    switch (flag_) {
        case kCaptionClose:
            return kGlyphClose;
        case kCaptionMaximise:
            return IsZoomed(Window()) ? kGlyphRestore : kGlyphMaximise;
        case kCaptionMinimise:
            return kGlyphMinimise;
        case kCaptionExtra1:
            return kGlyphMenu;
        case kCaptionExtra2:
            return kGlyphDropDown;
        case kCaptionExtra3:
            return kGlyphCheck;
        default:
            return kGlyphSubmenu;
    }
}

bool CaptionButton::DrawCustomFace(int state, PaintContext&) {
    GpGraphics* g = BackingGraphics();
    float w = static_cast<float>(Width()), h = static_cast<float>(Height());
    if (state == kStateHover || state == kStatePressed) {
        // Close lights up red like a system close box; the others whiten the background.
        ARGB fill = flag_ == kCaptionClose ? Argb(0xE04343, state == kStatePressed ? 230 : 200)
                                           : Argb(0xFFFFFF, state == kStatePressed ? 90 : 60);
        FillRoundRect(g, {0, 0, w, h}, 4, fill);
    }
    if (GpImage* skin = DefaultSkin()) {
        float shift = state == kStatePressed ? 1.0f : 0.0f;
        RectF dest{(w - kSkinCell) / 2 + shift, (h - kSkinCell) / 2 + shift,
                   static_cast<float>(kSkinCell), static_cast<float>(kSkinCell)};
        RectF source{static_cast<float>(Glyph() * kSkinCell), 0, static_cast<float>(kSkinCell),
                     static_cast<float>(kSkinCell)};
        DrawImagePart(g, skin, dest, source, state == kStateDisabled ? 120 : 255);
    }
    return true;
}

int CaptionButton::OnPressWithoutFocus() {
    return 0;
}

void CaptionButton::OnMouseDown(const MouseEvent& event) {
    if (event.button == MouseButton::kLeft) PaintState(kStatePressed);
    Control::OnMouseDown(event);
}

void CaptionButton::OnMouseUp(const MouseEvent& event) {
    if (event.button == MouseButton::kLeft) PaintState(kStateHover);
    Control::OnMouseUp(event);
}

void CaptionButton::OnClick() {
    HWND window = Window();
    if (flag_ == kCaptionClose) {
        PostMessageW(window, WM_CLOSE, 0, 0);
    } else if (flag_ == kCaptionMaximise) {
        PostMessageW(window, WM_SYSCOMMAND, IsZoomed(window) ? SC_RESTORE : SC_MAXIMIZE, 0);
    } else if (flag_ == kCaptionMinimise) {
        PostMessageW(window, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    }
}

}  // namespace ui

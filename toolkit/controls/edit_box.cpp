// EditBox: creation, the text and mode, focus, caret and input method, and the message switch.
#include "toolkit/controls/edit_box.h"

#include <imm.h>

#include <utility>

#include "runtime/clipboard.h"
#include "runtime/dll_calls_win32.h"
#include "toolkit/core/element_host.h"
#include "toolkit/core/element_tree.h"
#include "toolkit/core/text_convert.h"

namespace ui {

namespace {

constexpr UINT kBlinkMs = 500;
constexpr int kIBeamCursor = 32513;  // IDC_IBEAM
constexpr float kTabStop = 32;

// No font fallback, trailing spaces measured, no clip; a box with only a vertical bar shows
// whole lines only.
StringFormatPtr CreateEditFormat(int scrollBars) {
    INT flags = Gdiplus::StringFormatFlagsNoFontFallback |
                Gdiplus::StringFormatFlagsMeasureTrailingSpaces | Gdiplus::StringFormatFlagsNoClip;
    if (scrollBars == kEditScrollVertical) flags |= Gdiplus::StringFormatFlagsLineLimit;
    GpStringFormat* format = nullptr;
    gp::GdipCreateStringFormat(flags, 0, &format);
    if (format) rt::dll::GdipSetStringFormatTabStops(format, 0, 1, &kTabStop);
    return StringFormatPtr(format);
}

}  // namespace

EditBox::~EditBox() {
    Destroy();
}

ElementHandle EditBox::Create(const ElementParent& parent, const EditBoxSpec& spec) {
    if (IsCreated()) Destroy();
    // Everything is in place before the element is created: creation paints it.
    model_ = EditTextModel(
        {.multiLine = spec.multiLine, .mode = spec.mode, .maxLength = spec.maxLength});
    model_.SetText(spec.text);
    display_.SetPasswordCharacter(spec.passwordCharacter);
    secondColor_ = spec.secondColor;
    scrollBars_ = spec.multiLine ? spec.scrollBars.value_or(kEditScrollBoth) & kEditScrollBoth
                                 : kEditScrollNone;
    style_.Apply(spec.style);
    style_.SetFormat(CreateEditFormat(scrollBars_));
    ElementHandle handle = Element::Create(parent, {.rect = spec.rect,
                                                    .type = ElementType::kEditBox,
                                                    .visible = spec.visible,
                                                    .cursorId = kIBeamCursor});
    if (!handle) {
        style_.Release();
        return nullptr;
    }
    if (model_.IsMultiLine()) {
        horizontalBar_.Create(this, ScrollOrientation::kHorizontal, {},
                              scrollBars_ & kEditScrollHorizontal);
        verticalBar_.Create(this, ScrollOrientation::kVertical, {},
                            scrollBars_ & kEditScrollVertical);
        horizontalBar_.onScroll = [this](int x) { ScrollTo(x, {}); };
        verticalBar_.onScroll = [this](int line) { ScrollTo({}, line); };
        LayOutScrollBars();
        ScrollToCaret();
        PaintFace();
    }
    return handle;
}

// ---- Text

void EditBox::SetText(std::string_view text) {
    model_.SetText(text);
    scrollX_ = 0;
    firstLine_ = 0;
    Changed();
}

void EditBox::SetInputMode(EditInputMode mode) {
    model_.SetMode(mode);
    if (IsFocused()) {
        if (DetachesInputMethod()) {
            DetachInputMethod();
        } else {
            RestoreInputMethod();
        }
    }
    Changed();  // password characters are shown, or no longer
}

void EditBox::SetSecondColor(ARGB colour) {
    secondColor_ = colour;
    Redraw();
}

bool EditBox::InsertText(std::string_view text) {
    if (!model_.InsertText(text)) return false;
    Changed();
    return true;
}

bool EditBox::DeleteSelection() {
    if (!model_.DeleteSelection()) return false;
    Changed();
    return true;
}

int EditBox::HandleKey(int key, bool ctrl) {
    ctrl = ctrl || GetKeyState(VK_CONTROL) < 0;
    const bool shift = GetKeyState(VK_SHIFT) < 0;
    const EditClipboard clipboard{
        [] { return rt::ClipboardGetText(); },
        [](const rt::TextValue& text) { return rt::ClipboardSetText(text); }};
    if (!HandleEditKey(model_, key, ctrl, shift, clipboard)) return -1;
    Changed();
    return 0;
}

void EditBox::Changed() {
    if (!IsCreated()) return;
    ScrollToCaret();
    RestartBlink();
    PlaceSystemCaret();
    PaintFace();
    if (rt::TextValue text = model_.Text(); text != announcedText_) {
        announcedText_ = std::move(text);
        Announce(EVENT_OBJECT_VALUECHANGE);
    }
}

// ---- Accessibility

void EditBox::DescribeForAccessibility(AccessibleFacts& facts) const {
    StyledElement::DescribeForAccessibility(facts);
    facts.role = AccessibleRole::kEditableText;
    facts.value = ToWide(model_.Text());
    facts.readOnly = model_.IsReadOnly();
    facts.protectedText = model_.Mode() == EditInputMode::kPassword;
}

bool EditBox::SetAccessibleValue(const std::wstring& text) {
    if (model_.IsReadOnly()) return false;
    SetText(ToNarrow(text));
    return true;
}

// ---- Events

void EditBox::OnPaint() {
    PaintFace();
}

void EditBox::OnSizeChanged(int, int) {
    LayOutScrollBars();
    ScrollToCaret();
}

int EditBox::OnOtherMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_SETTEXT) {
        SetText(lParam ? reinterpret_cast<const char*>(lParam) : "");
        return 1;
    }
    if (message == WM_COMMAND) OnCommand(wParam, lParam);
    return -1;
}

void EditBox::OnCreate() {
    MeasureFont();
    scrollX_ = 0;
    firstLine_ = 0;
    blinkOn_ = false;
}

void EditBox::OnDestroy() {
    StopTimer();
    RestoreInputMethod();
    if (ownsSystemCaret_) DestroyCaret();
    ownsSystemCaret_ = false;
    model_.Clear();
    announcedText_.clear();
    style_.Release();
    typed_.Reset();
    scrollX_ = firstLine_ = 0;
    blinkOn_ = selectingByMouse_ = false;
}

bool EditBox::IsFocused() const {
    return IsCreated() && Host() && Host()->Elements().Focus() == this;
}

// ---- Focus, caret and input method

void EditBox::OnFocusGained(Element*) {
    // The caret is the thread's one: made while the box has the focus, so that boxes of other
    // heights or a box destroyed elsewhere never take it from the focused one.
    ownsSystemCaret_ =
        CreateCaret(Window(), nullptr, 1, static_cast<int>(lineHeight_) + 3) != FALSE;
    if (DetachesInputMethod()) DetachInputMethod();
    Changed();
}

void EditBox::OnFocusLost(Element*) {
    RestoreInputMethod();
    StopTimer();
    blinkOn_ = false;
    selectingByMouse_ = false;
    model_.ClearSelection();
    if (ownsSystemCaret_) DestroyCaret();
    ownsSystemCaret_ = false;
    PaintFace();
}

void EditBox::OnTimer(UINT_PTR id) {
    if (id != TimerId()) return;
    blinkOn_ = !blinkOn_;
    PaintFace();
}

void EditBox::RestartBlink() {
    if (!IsFocused()) return;
    blinkOn_ = true;
    StartTimer(kBlinkMs);
}

bool EditBox::DetachesInputMethod() const {
    return model_.Mode() != EditInputMode::kNormal;
}

void EditBox::DetachInputMethod() {
    if (inputMethodDetached_) return;
    savedInputContext_ = rt::dll::ImmAssociateContext(Window(), nullptr);
    inputMethodDetached_ = true;
}

void EditBox::RestoreInputMethod() {
    if (!inputMethodDetached_) return;
    rt::dll::ImmAssociateContext(Window(), savedInputContext_);
    savedInputContext_ = nullptr;
    inputMethodDetached_ = false;
}

}  // namespace ui

// Element::HandleMessage: every message an element receives is decoded here, once, into the
// typed hook of its kind. The table below is the whole mapping; the hooks do nothing by default.
#include <windowsx.h>

#include "toolkit/core/element.h"

namespace ui {

namespace {

constexpr int kHookNotHandled = -1;

// How a row of the table turns (wParam, lParam) into a hook's call.
template <void (Element::*kHook)()>
int DecodePlain(Element& element, WPARAM, LPARAM) {
    (element.*kHook)();
    return kHookNotHandled;
}

template <int (Element::*kHook)()>
int DecodeAnswer(Element& element, WPARAM, LPARAM) {
    return (element.*kHook)();
}

// lParam names another element (focus and hover changes).
template <void (Element::*kHook)(Element*)>
int DecodeAbout(Element& element, WPARAM, LPARAM lParam) {
    (element.*kHook)(reinterpret_cast<Element*>(lParam));
    return kHookNotHandled;
}

template <void (Element::*kHook)(const MouseEvent&), MouseButton kButton>
int DecodeMouse(Element& element, WPARAM wParam, LPARAM lParam) {
    (element.*kHook)({kButton, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam), wParam});
    return kHookNotHandled;
}

template <int (Element::*kHook)(WPARAM)>
int DecodeKey(Element& element, WPARAM wParam, LPARAM) {
    return (element.*kHook)(wParam);
}

}  // namespace

struct Element::Decoding {
    UINT message;
    int (*decode)(Element& element, WPARAM wParam, LPARAM lParam);
};

// Written inside the class's scope, so the rows may name the protected hooks.
const Element::Decoding Element::kDecodings[] = {
    // Life cycle
    {kMsgCreate, DecodePlain<&Element::OnCreate>},
    {kMsgDestroy, DecodePlain<&Element::OnDestroy>},
    {kMsgPaint, DecodePlain<&Element::OnPaint>},
    {kMsgShown, DecodePlain<&Element::OnShown>},
    {kMsgHidden, DecodePlain<&Element::OnHidden>},
    // Mouse
    {WM_LBUTTONDOWN, DecodeMouse<&Element::OnMouseDown, MouseButton::kLeft>},
    {WM_RBUTTONDOWN, DecodeMouse<&Element::OnMouseDown, MouseButton::kRight>},
    {WM_LBUTTONUP, DecodeMouse<&Element::OnMouseUp, MouseButton::kLeft>},
    {WM_RBUTTONUP, DecodeMouse<&Element::OnMouseUp, MouseButton::kRight>},
    {WM_MOUSEMOVE, DecodeMouse<&Element::OnMouseMove, MouseButton::kNone>},
    {kMsgMouseEnter, DecodeAbout<&Element::OnMouseEnter>},
    {kMsgMouseLeave, DecodeAbout<&Element::OnMouseLeave>},
    {kMsgClick, DecodePlain<&Element::OnClick>},
    {WM_MOUSEWHEEL,
     [](Element& e, WPARAM wParam, LPARAM) {
         e.OnWheel(GET_WHEEL_DELTA_WPARAM(wParam));
         return kHookNotHandled;
     }},
    // Focus
    {kMsgFocusGained, DecodeAbout<&Element::OnFocusGained>},
    {kMsgFocusLost, DecodeAbout<&Element::OnFocusLost>},
    // Size and place
    {kMsgSizeChanged,
     [](Element& e, WPARAM wParam, LPARAM lParam) {
         e.OnSizeChanged(static_cast<int>(wParam), static_cast<int>(lParam));
         return kHookNotHandled;
     }},
    {kMsgElementMoved,
     [](Element& e, WPARAM, LPARAM lParam) {
         e.OnMoved(lParam != 0);
         return kHookNotHandled;
     }},
    // Timer
    {kMsgTimer,
     [](Element& e, WPARAM wParam, LPARAM) {
         e.OnTimer(wParam);
         return kHookNotHandled;
     }},
    // Keyboard
    {WM_KEYDOWN, DecodeKey<&Element::OnKeyDown>},
    {WM_CHAR, DecodeKey<&Element::OnCharacter>},
    {WM_IME_COMPOSITION, [](Element& e, WPARAM, LPARAM lParam) { return e.OnComposition(lParam); }},
    // State
    {kMsgStateRepaint, DecodePlain<&Element::OnStateRepaint>},
    {kMsgAlphaChanged,
     [](Element& e, WPARAM, LPARAM lParam) {
         e.OnAlphaChanged(static_cast<int>(lParam));
         return kHookNotHandled;
     }},
    {kMsgTransitionStart, DecodePlain<&Element::OnTransitionStart>},
    {kMsgTransitionEnd, DecodePlain<&Element::OnTransitionEnd>},
    {kMsgCustomTransition,
     [](Element& e, WPARAM, LPARAM lParam) {
         return e.OnCustomTransition(*reinterpret_cast<PaintContext*>(lParam));
     }},
    // Queries
    {kMsgPressNotFocusable, DecodeAnswer<&Element::OnPressWithoutFocus>},
    {kMsgDisabledAlpha, DecodeAnswer<&Element::OnDisabledAlphaQuery>},
    {kMsgFocusQuery, DecodeAnswer<&Element::OnFocusQuery>},
};

int Element::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    for (const Decoding& row : kDecodings) {
        if (row.message == message) return row.decode(*this, wParam, lParam);
    }
    return OnOtherMessage(message, wParam, lParam);
}

// ---- The hooks' defaults: nothing happens, nothing is answered.

void Element::OnCreate() {}
void Element::OnDestroy() {}
void Element::OnPaint() {}
void Element::OnShown() {}
void Element::OnHidden() {}
void Element::OnMouseDown(const MouseEvent&) {}
void Element::OnMouseUp(const MouseEvent&) {}
void Element::OnMouseMove(const MouseEvent&) {}
void Element::OnMouseEnter(Element*) {}
void Element::OnMouseLeave(Element*) {}
void Element::OnClick() {}
void Element::OnWheel(int) {}
void Element::OnFocusGained(Element*) {}
void Element::OnFocusLost(Element*) {}
void Element::OnSizeChanged(int, int) {}
void Element::OnMoved(bool) {}
void Element::OnTimer(UINT_PTR) {}
int Element::OnKeyDown(WPARAM) {
    return kHookNotHandled;
}
int Element::OnCharacter(WPARAM) {
    return kHookNotHandled;
}
int Element::OnComposition(LPARAM) {
    return kHookNotHandled;
}
void Element::OnStateRepaint() {}
void Element::OnAlphaChanged(int) {}
void Element::OnTransitionStart() {}
void Element::OnTransitionEnd() {}
int Element::OnCustomTransition(PaintContext&) {
    return kHookNotHandled;
}
int Element::OnPressWithoutFocus() {
    return kHookNotHandled;
}
int Element::OnDisabledAlphaQuery() {
    return kHookNotHandled;
}
int Element::OnFocusQuery() {
    return kHookNotHandled;
}
int Element::OnOtherMessage(UINT, WPARAM, LPARAM) {
    return kHookNotHandled;
}

}  // namespace ui

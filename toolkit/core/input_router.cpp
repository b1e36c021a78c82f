#include "toolkit/core/input_router.h"

#include <windowsx.h>

#include "toolkit/core/element_tree.h"
#include "toolkit/core/host_settings.h"

namespace ui {

namespace {

struct SizingZone {
    int zone;
    int cursorId;  // a system cursor
};
constexpr int kSizeNwse = 32642, kSizeNesw = 32643, kSizeWe = 32644, kSizeNs = 32645;

// Bands of 8 pixels at the left and top edges and of 9 at the right and bottom; the corner
// zones reach 10 pixels along the top and bottom edges.
SizingZone ZoneAt(float x, float y, float w, float h) {
    if (y <= 7 && x <= 9) return {4, kSizeNwse};
    if (y <= 7 && x <= w - 10) return {3, kSizeNs};
    if (y <= 7) return {5, kSizeNesw};
    if (y > h - 10 && x < 10) return {7, kSizeNesw};
    if (y > h - 10 && x <= w - 10) return {6, kSizeNs};
    if (y > h - 10) return {8, kSizeNwse};
    if (x <= 7) return {1, kSizeWe};
    if (x > w - 10) return {2, kSizeWe};
    return {0, 0};
}

}  // namespace

bool InputRouter::Route(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (message) {
        case WM_MOUSEMOVE:
        case WM_LBUTTONDOWN:
        case WM_LBUTTONUP:
        case WM_RBUTTONDOWN:
        case WM_RBUTTONUP:
            result = 0;
            return RouteMouse(message, wParam, lParam);
        case WM_LBUTTONDBLCLK:
            SendMessageW(host_.Window(), WM_LBUTTONDOWN, kDoubleClickMarker, lParam);
            result = 0;
            return true;
        case WM_MOUSELEAVE:
            MouseLeftWindow(wParam, lParam);
            return false;
        default:
            return RouteToFocus(message, wParam, lParam, result);
    }
}

bool InputRouter::RouteToFocus(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    Element* focus = host_.Elements().Focus();
    switch (message) {
        case WM_IME_COMPOSITION:
            // An element that took the composition's result answers it; passed on, the default
            // handling would send the same text again as characters.
            if (!focus || focus->Deliver(message, wParam, lParam) == -1) return false;
            result = 0;
            return true;
        case WM_KEYUP:
        case WM_CHAR:
        case WM_SYSKEYDOWN:
        case WM_SYSKEYUP:
        case WM_COMMAND:
        case WM_MOUSEWHEEL:
            if (focus) focus->Deliver(message, wParam, lParam);
            return false;
        case WM_KEYDOWN:
            result = 0;
            return RouteKeyDown(wParam, wParam, lParam);
        case WM_SYSCHAR:
            result = 0;
            return RouteSystemCharacter(wParam, lParam);
        default:
            return false;
    }
}

// Delivered to the focus element; then Alt and a control's accelerator click that control.
bool InputRouter::RouteSystemCharacter(WPARAM wParam, LPARAM lParam) {
    if (Element* focus = host_.Elements().Focus()) focus->Deliver(WM_SYSCHAR, wParam, lParam);
    Element* target = host_.Elements().AcceleratorFor(wParam);
    if (!target) return false;
    Click(target, wParam, lParam);
    return true;
}

void InputRouter::Click(Element* element, WPARAM wParam, LPARAM lParam) {
    element->Deliver(kMsgClick, 0, 0);
    Notify(host_.Callbacks().click, element, wParam, lParam);
}

void InputRouter::Activate(WPARAM wParam) {
    ElementTree& tree = host_.Elements();
    if (LOWORD(wParam) == WA_INACTIVE) {
        if (Element* hover = tree.Hover()) hover->Deliver(kMsgMouseLeave, 0, 0);
        if (tree.Captured() && tree.Pressed()) tree.Pressed()->Deliver(kMsgFocusLost, 0, 0);
        if (tree.Captured()) ::ReleaseCapture();
        tree.ReleaseCapture();
    } else if (Element* pressed = tree.Pressed()) {
        pressed->Deliver(kMsgFocusGained, 0, 0);
    }
}

void InputRouter::Notify(const HostCallbacks::ElementCallback& callback, Element* element,
                         WPARAM wParam, LPARAM lParam) {
    int type = element ? static_cast<int>(element->TypeId()) : 0;
    if (callback) callback(host_.Window(), element, wParam, lParam, type);
}

void InputRouter::MouseLeftWindow(WPARAM wParam, LPARAM lParam) {
    mouseLeaveArmed_ = false;
    ::ReleaseCapture();
    ElementTree& tree = host_.Elements();
    if (Element* hover = tree.Hover()) {
        hover->Deliver(kMsgMouseLeave, wParam, lParam);
        Notify(host_.Callbacks().mouseLeave, hover, 0, 0);
        tree.SetHover(nullptr);
    }
}

bool InputRouter::RouteKeyDown(WPARAM key, WPARAM wParam, LPARAM lParam) {
    ElementTree& tree = host_.Elements();
    Element* focus = tree.Focus();
    if (focus && focus->Deliver(WM_KEYDOWN, wParam, lParam) != -1) return true;
    if (key == VK_TAB) {
        if (Element* next = tree.NextTabStop()) tree.SetFocusElement(next, true);
    } else if ((key == VK_RETURN || key == VK_SPACE) && focus && focus->Visible() &&
               !focus->Disabled()) {
        Click(focus);
    }
    return false;
}

bool InputRouter::RouteMouse(UINT message, WPARAM wParam, LPARAM lParam) {
    if (host_.IsBusy()) return false;
    float x = static_cast<float>(GET_X_LPARAM(lParam));
    float y = static_cast<float>(GET_Y_LPARAM(lParam));
    if (HandleSizingBorder(message, x, y)) return true;
    if (message == WM_MOUSEMOVE && !mouseLeaveArmed_) {
        TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, host_.Window(), 0};
        mouseLeaveArmed_ = TrackMouseEvent(&track) != FALSE;
    }
    ElementTree& tree = host_.Elements();
    if (tree.Captured()) {
        if (Element* pressed = tree.Pressed()) {
            pressed->Deliver(message, reinterpret_cast<WPARAM>(pressed), lParam);
        }
        if (message == WM_LBUTTONUP) ReleaseOnButtonUp(wParam, lParam, x, y);
        return false;
    }
    Element* hit = tree.HitTest(x, y);
    Element* hover = tree.Hover();
    if (hit != hover && hover && hover->Visible()) {
        hover->Deliver(kMsgMouseLeave, wParam, reinterpret_cast<LPARAM>(hit));
        Notify(host_.Callbacks().mouseLeave, hover, wParam, lParam);
    }
    if (message == WM_LBUTTONDOWN) PressAt(hit, wParam, lParam, y);
    if (message == WM_RBUTTONDOWN) Notify(host_.Callbacks().rightDown, hit, wParam, lParam);
    if (message == WM_RBUTTONUP) Notify(host_.Callbacks().rightUp, hit, wParam, lParam);
    if (message == WM_MOUSEMOVE && hit != tree.Hover()) Enter(hit, tree.Hover(), wParam, lParam);
    // Callbacks may have destroyed the element.
    if (tree.IsLive(hit)) hit->Deliver(message, wParam, lParam);
    tree.SetHover(tree.IsLive(hit) ? hit : nullptr);
    return false;
}

void InputRouter::ReleaseOnButtonUp(WPARAM wParam, LPARAM lParam, float x, float y) {
    ElementTree& tree = host_.Elements();
    Element* pressed = tree.Pressed();
    Notify(host_.Callbacks().leftButtonUp, pressed, wParam, lParam);
    ::ReleaseCapture();
    Element* hit = tree.HitTest(x, y);
    if (tree.IsLive(pressed) && hit == pressed) {
        pressed->Deliver(kMsgClick, reinterpret_cast<WPARAM>(pressed), lParam);
        Notify(host_.Callbacks().click, pressed, wParam, lParam);
    } else {
        if (tree.IsLive(pressed) && pressed->Visible()) {
            pressed->Deliver(kMsgMouseLeave, wParam, reinterpret_cast<LPARAM>(hit));
            Notify(host_.Callbacks().mouseLeave, pressed, wParam, lParam);
        }
        if (tree.IsLive(hit)) Enter(hit, pressed, wParam, lParam);
    }
    tree.ClearPressed();
    tree.SetHover(tree.IsLive(hit) ? hit : nullptr);
}

void InputRouter::PressAt(Element* hit, WPARAM wParam, LPARAM lParam, float y) {
    HWND window = host_.Window();
    bool doubleClick = wParam == kDoubleClickMarker;
    HWND focused = GetFocus();
    if (focused != window) {
        if (focused) SendMessageW(focused, WM_KILLFOCUS, reinterpret_cast<WPARAM>(window), 0);
        SetFocus(window);
    }
    int flags = host_.Settings().captionFlags;
    bool draggable = host_.Settings().draggable;
    if (!hit) {
        if (doubleClick && y < 30 && (flags & kCaptionMaximise)) {
            ToggleMaximise();
        } else if (!doubleClick && draggable) {
            StartWindowDrag();
        }
        return;
    }
    bool takes = hit->Focusable() || hit->Deliver(kMsgPressNotFocusable, wParam, lParam) != -1;
    if (takes && host_.Elements().IsLive(hit)) {
        TakeCapture(hit, wParam, lParam);
    } else if (doubleClick && host_.TogglesMaximise(hit)) {
        ToggleMaximise();
    } else if (draggable) {
        StartWindowDrag();
    }
}

void InputRouter::TakeCapture(Element* hit, WPARAM wParam, LPARAM lParam) {
    ElementTree& tree = host_.Elements();
    const HostCallbacks& callbacks = host_.Callbacks();
    Notify(callbacks.mouseDown, hit, wParam, lParam);
    tree.Capture(hit);
    if (hit->Focusable() && hit != tree.Focus()) {
        Element* old = tree.TakeFocus(hit, false);
        if (old) {
            old->Deliver(kMsgFocusLost, 0, reinterpret_cast<LPARAM>(hit));
            Notify(callbacks.focusLost, old, wParam, lParam);
        }
        hit->Deliver(kMsgFocusGained, 0, reinterpret_cast<LPARAM>(old));
        Notify(callbacks.focusGained, hit, wParam, lParam);
    }
    if (wParam == kDoubleClickMarker) Notify(callbacks.doubleClick, hit, wParam, lParam);
    SetCapture(host_.Window());
}

void InputRouter::Enter(Element* element, Element* from, WPARAM wParam, LPARAM lParam) {
    if (!element) return;
    element->Deliver(kMsgMouseEnter, wParam, reinterpret_cast<LPARAM>(from));
    Notify(host_.Callbacks().mouseEnter, element, wParam, lParam);
    if (host_.Elements().IsLive(element)) host_.ShowTooltip(element->Tooltip(), element->Rect());
}

bool InputRouter::HandleSizingBorder(UINT message, float x, float y) {
    HWND window = host_.Window();
    if (!host_.Settings().resizable || host_.Elements().Captured() || IsZoomed(window)) {
        return false;
    }
    if (message != WM_MOUSEMOVE && message != WM_LBUTTONDOWN) return false;
    SizingZone zone =
        ZoneAt(x, y, static_cast<float>(host_.Width()), static_cast<float>(host_.Height()));
    if (!zone.zone) return false;
    SetCursor(LoadCursorW(nullptr, MAKEINTRESOURCEW(zone.cursorId)));
    if (Element* hover = host_.Elements().Hover()) {
        host_.Elements().SetHover(nullptr);
        hover->Deliver(kMsgMouseLeave, 0, 0);
    }
    if (message == WM_LBUTTONDOWN) SendMessageW(window, WM_SYSCOMMAND, SC_SIZE + zone.zone, 0);
    return true;
}

void InputRouter::StartWindowDrag() {
    SendMessageW(host_.Window(), WM_NCLBUTTONDOWN, HTCAPTION, 0);
}

void InputRouter::ToggleMaximise() {
    HWND window = host_.Window();
    PostMessageW(window, WM_SYSCOMMAND, IsZoomed(window) ? SC_RESTORE : SC_MAXIMIZE, 0);
    StartWindowDrag();
}

}  // namespace ui

// HostWindow: mouse and keyboard messages of the window turned into element messages, with
// hover, press, focus, window dragging, sizing borders, Tab and Alt accelerators.
#include <windowsx.h>

#include "toolkit/core/host_window.h"
#include "toolkit/core/label.h"

namespace ui {

namespace {

bool Contains(const RectF& r, float x, float y) {
    // The right and bottom edges belong to whatever lies behind.
    return x - r.x >= -kGeometryEpsilon && y - r.y >= -kGeometryEpsilon &&
           !(x - r.Right() >= -kGeometryEpsilon) && !(y - r.Bottom() >= -kGeometryEpsilon);
}

Element* HitInList(Element* last, float x, float y) {
    for (Element* e = last; e; e = e->PreviousSibling()) {
        if (!e->Visible() || e->Disabled() || !Contains(e->Rect(), x, y)) continue;
        Element* child = HitInList(e->LastChild(), x, y);
        return child ? child : e;
    }
    return nullptr;
}

struct SizingZone {
    int zone;
    int cursorId;  // a system cursor
};
constexpr int kSizeNwse = 32642, kSizeNesw = 32643, kSizeWe = 32644, kSizeNs = 32645;

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

Element* HostWindow::HitTest(float x, float y) const {
    return HitInList(last_, x, y);
}

void HostWindow::Notify(const HostCallbacks::ElementCallback& callback, Element* element,
                        WPARAM wParam, LPARAM lParam) {
    if (callback) callback(window_, element, wParam, lParam, element ? element->TypeId() : 0);
}

bool HostWindow::RouteInput(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    bool consumed = false;
    switch (message) {
        case WM_MOUSEMOVE:
        case WM_LBUTTONDOWN:
        case WM_LBUTTONUP:
        case WM_RBUTTONDOWN:
        case WM_RBUTTONUP:
            RouteMouse(message, wParam, lParam, consumed);
            result = 0;
            return consumed;
        case WM_LBUTTONDBLCLK:
            SendMessageW(window_, WM_LBUTTONDOWN, kDoubleClickMarker, lParam);
            result = 0;
            return true;
        case WM_MOUSELEAVE:
            mouseLeaveArmed_ = false;
            ReleaseCapture();
            if (Element* hover = hover_) {
                hover->Deliver(kMsgMouseLeave, wParam, lParam);
                Notify(callbacks_.mouseLeave, hover, 0, 0);
                hover_ = nullptr;
            }
            return false;
        case WM_KEYUP:
        case WM_CHAR:
        case WM_SYSKEYDOWN:
        case WM_SYSKEYUP:
        case WM_IME_COMPOSITION:
        case WM_COMMAND:
        case WM_MOUSEWHEEL:
            if (focus_) focus_->Deliver(message, wParam, lParam);
            return false;
        case WM_KEYDOWN:
            if (focus_ && focus_->Deliver(message, wParam, lParam) != -1) {
                result = 0;
                return true;
            }
            if (wParam == VK_TAB) {
                MoveFocusByTab();
            } else if ((wParam == VK_RETURN || wParam == VK_SPACE) && focus_ && focus_->Visible() &&
                       !focus_->Disabled()) {
                Element* clicked = focus_;
                clicked->Deliver(kMsgClick, 0, 0);
                Notify(callbacks_.click, clicked, 0, 0);
            }
            return false;
        case WM_SYSCHAR:
            if (focus_) focus_->Deliver(message, wParam, lParam);
            if (ClickAccelerator(wParam, lParam)) {
                result = 0;
                return true;
            }
            return false;
        default:
            return false;
    }
}

void HostWindow::RouteMouse(UINT message, WPARAM wParam, LPARAM lParam, bool& consumed) {
    if (busy_) return;
    float x = static_cast<float>(GET_X_LPARAM(lParam));
    float y = static_cast<float>(GET_Y_LPARAM(lParam));
    if (HandleSizingBorder(message, x, y)) {
        consumed = true;
        return;
    }
    if (message == WM_MOUSEMOVE && !mouseLeaveArmed_) {
        TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, window_, 0};
        mouseLeaveArmed_ = TrackMouseEvent(&track) != FALSE;
    }
    if (captured_) {
        if (Element* pressed = pressed_) {
            pressed->Deliver(message, reinterpret_cast<WPARAM>(pressed), lParam);
        }
        if (message == WM_LBUTTONUP) ReleaseOnButtonUp(wParam, lParam, x, y);
        return;
    }
    Element* hit = HitTest(x, y);
    if (hit != hover_ && hover_ && hover_->Visible()) {
        Element* left = hover_;
        left->Deliver(kMsgMouseLeave, wParam, reinterpret_cast<LPARAM>(hit));
        Notify(callbacks_.mouseLeave, left, wParam, lParam);
    }
    switch (message) {
        case WM_LBUTTONDOWN:
            PressAt(hit, wParam, lParam, y);
            break;
        case WM_RBUTTONDOWN:
            Notify(callbacks_.rightDown, hit, wParam, lParam);
            break;
        case WM_RBUTTONUP:
            Notify(callbacks_.rightUp, hit, wParam, lParam);
            break;
        case WM_MOUSEMOVE:
            if (hit != hover_) Enter(hit, hover_, wParam, lParam);
            break;
        default:
            break;
    }
    // Callbacks may have destroyed the element.
    if (hit && !ContainsElement(hit)) hit = nullptr;
    if (hit) hit->Deliver(message, wParam, lParam);
    hover_ = hit && ContainsElement(hit) ? hit : nullptr;
}

void HostWindow::ReleaseOnButtonUp(WPARAM wParam, LPARAM lParam, float x, float y) {
    Element* pressed = pressed_;
    Notify(callbacks_.leftButtonUp, pressed, wParam, lParam);
    ReleaseCapture();
    Element* hit = HitTest(x, y);
    if (pressed && ContainsElement(pressed) && hit == pressed) {
        pressed->Deliver(kMsgClick, reinterpret_cast<WPARAM>(pressed), lParam);
        Notify(callbacks_.click, pressed, wParam, lParam);
    } else {
        if (pressed && ContainsElement(pressed) && pressed->Visible()) {
            pressed->Deliver(kMsgMouseLeave, wParam, reinterpret_cast<LPARAM>(hit));
            Notify(callbacks_.mouseLeave, pressed, wParam, lParam);
        }
        if (hit && ContainsElement(hit)) Enter(hit, pressed, wParam, lParam);
    }
    captured_ = false;
    pressed_ = nullptr;
    hover_ = hit && ContainsElement(hit) ? hit : nullptr;
}

void HostWindow::PressAt(Element* hit, WPARAM wParam, LPARAM lParam, float y) {
    bool doubleClick = wParam == kDoubleClickMarker;
    HWND focused = GetFocus();
    if (focused != window_) {
        if (focused) SendMessageW(focused, WM_KILLFOCUS, reinterpret_cast<WPARAM>(window_), 0);
        SetFocus(window_);
    }
    if (!hit) {
        if (doubleClick && y < 30 && (captionFlags_ & kCaptionMaximise)) {
            ToggleMaximise();
        } else if (!doubleClick && draggable_) {
            StartWindowDrag();
        }
        return;
    }
    bool takes = hit->Focusable() || hit->Deliver(kMsgPressNotFocusable, wParam, lParam) != -1;
    if (takes && ContainsElement(hit)) {
        Notify(callbacks_.mouseDown, hit, wParam, lParam);
        captured_ = true;
        pressed_ = hit;
        if (hit->Focusable() && hit != focus_) {
            Element* old = focus_;
            focus_ = hit;
            keyboardFocus_ = nullptr;
            if (old) {
                old->Deliver(kMsgFocusLost, 0, reinterpret_cast<LPARAM>(hit));
                Notify(callbacks_.focusLost, old, wParam, lParam);
            }
            hit->Deliver(kMsgFocusGained, 0, reinterpret_cast<LPARAM>(old));
            Notify(callbacks_.focusGained, hit, wParam, lParam);
        }
        if (doubleClick) Notify(callbacks_.doubleClick, hit, wParam, lParam);
        SetCapture(window_);
        return;
    }
    bool titleToggles = doubleClick && (captionFlags_ & kCaptionTitle) &&
                        (captionFlags_ & kCaptionMaximise) && title_ && hit == title_.get();
    if (titleToggles) {
        ToggleMaximise();
    } else if (draggable_) {
        StartWindowDrag();
    }
}

void HostWindow::Enter(Element* element, Element* from, WPARAM wParam, LPARAM lParam) {
    if (!element) return;
    element->Deliver(kMsgMouseEnter, wParam, reinterpret_cast<LPARAM>(from));
    Notify(callbacks_.mouseEnter, element, wParam, lParam);
    if (ContainsElement(element)) ShowTooltip(element->Tooltip(), element->Rect());
}

bool HostWindow::HandleSizingBorder(UINT message, float x, float y) {
    if (!resizable_ || captured_ || IsZoomed(window_)) return false;
    if (message != WM_MOUSEMOVE && message != WM_LBUTTONDOWN) return false;
    SizingZone zone = ZoneAt(x, y, static_cast<float>(size_.cx), static_cast<float>(size_.cy));
    if (!zone.zone) return false;
    SetCursor(LoadCursorW(nullptr, MAKEINTRESOURCEW(zone.cursorId)));
    if (Element* hover = hover_) {
        hover_ = nullptr;
        hover->Deliver(kMsgMouseLeave, 0, 0);
    }
    if (message == WM_LBUTTONDOWN) SendMessageW(window_, WM_SYSCOMMAND, SC_SIZE + zone.zone, 0);
    return true;
}

void HostWindow::StartWindowDrag() {
    SendMessageW(window_, WM_NCLBUTTONDOWN, HTCAPTION, 0);
}

void HostWindow::ToggleMaximise() {
    PostMessageW(window_, WM_SYSCOMMAND, IsZoomed(window_) ? SC_RESTORE : SC_MAXIMIZE, 0);
    StartWindowDrag();
}

void HostWindow::MoveFocusByTab() {
    Element* start = focus_ ? focus_ : first_;
    if (!start) return;
    while (start->ParentElement())
        start = start->ParentElement();
    auto eligible = [](const Element* e) {
        return e->Visible() && e->Focusable() && !e->Disabled() && e->TypeId() != kTypeNoTabFocus;
    };
    Element* candidate = start;
    do {
        candidate = candidate->NextSibling() ? candidate->NextSibling() : first_;
        if (eligible(candidate)) {
            if (candidate != focus_) SetFocusElement(candidate, true);
            return;
        }
    } while (candidate != start);
}

bool HostWindow::ClickAccelerator(WPARAM character, LPARAM lParam) {
    auto upper = [](WPARAM c) {
        return reinterpret_cast<WPARAM>(CharUpperW(reinterpret_cast<LPWSTR>(c & 0xFFFF)));
    };
    for (const auto& [element, key] : accelerators_) {
        if (upper(static_cast<WPARAM>(key)) != upper(character)) continue;
        if (!element->Visible() || element->Disabled()) continue;
        Element* clicked = element;
        clicked->Deliver(kMsgClick, 0, 0);
        Notify(callbacks_.click, clicked, character, lParam);
        return true;
    }
    return false;
}

}  // namespace ui

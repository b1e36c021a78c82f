// HostWindow: the window procedure, one typed handler per message the host takes part in.
#include <mutex>
#include <unordered_map>

#include "toolkit/core/accessible_window.h"
#include "toolkit/core/element_mailbox.h"
#include "toolkit/core/exclusive_lock.h"
#include "toolkit/core/host_window.h"
#include "toolkit/core/posted_payloads.h"

namespace ui {

namespace {

// Windows whose host is gone while another subclass still sits on top of our procedure: the
// chain is left intact and our procedure passes everything to the one it replaced.
ExclusiveLock gDetachedLock;
std::unordered_map<HWND, WNDPROC> gDetached;

WNDPROC DetachedPrevious(HWND window, bool forget) {
    std::lock_guard guard(gDetachedLock);
    auto found = gDetached.find(window);
    if (found == gDetached.end()) return nullptr;
    WNDPROC previous = found->second;
    if (forget) gDetached.erase(found);
    return previous;
}

template <typename T>
T* FromParam(WPARAM value) {
    return reinterpret_cast<T*>(value);
}

}  // namespace

void HostWindow::Subclass() {
    previousProc_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&SharedProc)));
}

void HostWindow::ReleaseProcedure(HWND window, WNDPROC previous) {
    if (!previous) return;
    auto current = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(window, GWLP_WNDPROC));
    if (current == &SharedProc) {
        SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
        return;
    }
    // Putting our predecessor back would cut out whoever subclassed after us (the tooltip
    // does), and they would miss the window's last messages and their own clean-up.
    std::lock_guard guard(gDetachedLock);
    gDetached[window] = previous;
}

LRESULT CALLBACK HostWindow::SharedProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    HostWindow* host = FromWindow(window);
    if (!host || host->window_ != window) {
        WNDPROC previous = DetachedPrevious(window, message == WM_NCDESTROY);
        return previous ? CallWindowProcW(previous, window, message, wParam, lParam)
                        : DefWindowProcW(window, message, wParam, lParam);
    }
    return host->WindowProc(message, wParam, lParam);
}

LRESULT HostWindow::CallPrevious(UINT message, WPARAM wParam, LPARAM lParam) {
    if (!previousProc_) return DefWindowProcW(window_, message, wParam, lParam);
    return CallWindowProcW(previousProc_, window_, message, wParam, lParam);
}

LRESULT HostWindow::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (callbacks_.rawMessage) {
        LRESULT answer = callbacks_.rawMessage(window_, message, wParam, lParam);
        if (answer != -1) return answer;
        if (!window_) return 0;  // the hook tore the window down
    }
    LRESULT routed = 0;
    if (input_.Route(message, wParam, lParam, routed)) return routed;
    switch (message) {
        case WM_DESTROY:
            return OnDestroy(wParam, lParam);
        case WM_SIZE:
            if (wParam != SIZE_MINIMIZED) OnSize();
            break;
        case WM_ACTIVATE:
            input_.Activate(wParam);
            break;
        case WM_SETTEXT:
            return OnSetText(wParam, lParam);
        case WM_SETICON:
            return OnSetIcon(wParam, lParam);
        case WM_CLOSE:
            if (closing_) return 0;  // a second close while the animation runs
            OnClose();
            break;
        case WM_NCACTIVATE:
            return 1;
        case WM_NCCALCSIZE:
            if (wParam) return 0;  // the whole window is client area
            break;
        case WM_GETMINMAXINFO:
            OnMinMaxInfo(reinterpret_cast<MINMAXINFO*>(lParam));
            return 0;
        case WM_STYLECHANGED:
            if (wParam == static_cast<WPARAM>(GWL_STYLE)) ApplyStyleRules();
            break;
        case WM_SETCURSOR:
            if (OnSetCursor(reinterpret_cast<HWND>(wParam), LOWORD(lParam))) return 1;
            break;
        case WM_TIMER:
            if (OnTimer(wParam, lParam)) return 0;
            break;
        case WM_PAINT:
            OnPaint();
            return 0;
        case WM_ERASEBKGND:
            return 1;  // every pixel comes from the back buffer
        case WM_GETOBJECT:
            return OnGetObject(wParam, lParam);
        default:
            return OnToolkitMessage(message, wParam, lParam);
    }
    return CallPrevious(message, wParam, lParam);
}

// The messages elements and other threads send to the window.
LRESULT HostWindow::OnToolkitMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case kMsgRepaintRect:
            OnRepaintRect(wParam, lParam);
            return 0;
        case kMsgElementMoved:
            return OnElementMoved(FromParam<Element>(wParam), lParam);
        case kMsgDeliver:
            return OnDeliver(FromParam<Element>(wParam), lParam);
        case kMsgFocusGained:
            elements_.SetFocusElement(reinterpret_cast<Element*>(lParam), false);
            return 0;
        case kMsgRegisterAccelerator:
            return OnRegisterAccelerator(FromParam<Element>(wParam), lParam);
        case kMsgAccessibleAction:
            OnAccessibleAction(FromParam<Element>(wParam), lParam);
            return 0;
        default:
            return CallPrevious(message, wParam, lParam);
    }
}

LRESULT HostWindow::OnDestroy(WPARAM wParam, LPARAM lParam) {
    HWND window = window_;
    WNDPROC previous = previousProc_;
    Teardown();
    return previous ? CallWindowProcW(previous, window, WM_DESTROY, wParam, lParam)
                    : DefWindowProcW(window, WM_DESTROY, wParam, lParam);
}

void HostWindow::OnSize() {
    if (!compositor_.FollowWindowSize()) return;
    if (callbacks_.sizeChanged) callbacks_.sizeChanged(window_, Width(), Height());
    if (!window_) return;
    caption_.Resized();  // maximise and restore glyphs
    Refresh();           // lays out the caption and rebuilds the window shape
}

LRESULT HostWindow::OnSetText(WPARAM wParam, LPARAM lParam) {
    LRESULT result = CallPrevious(WM_SETTEXT, wParam, lParam);
    if (result == 1) caption_.TextChanged(reinterpret_cast<const wchar_t*>(lParam));
    return result;
}

LRESULT HostWindow::OnSetIcon(WPARAM wParam, LPARAM lParam) {
    LRESULT result = CallPrevious(WM_SETICON, wParam, lParam);
    caption_.IconChanged();
    return result;
}

void HostWindow::OnMinMaxInfo(MINMAXINFO* info) {
    RECT work{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    // The 7-pixel shadow margin falls off screen when maximised.
    info->ptMaxSize = {work.right - work.left + 14, work.bottom - work.top + 14};
    info->ptMaxPosition = {work.left - 7, work.top - 7};
    info->ptMinTrackSize = caption_.MinimumTrackSize();
}

bool HostWindow::OnSetCursor(HWND target, UINT hitTest) {
    if (target != window_ || hitTest != HTCLIENT) return false;
    Element* hover = elements_.Hover();
    SetCursor(hover && hover->Cursor() ? hover->Cursor() : settings_.defaultCursor);
    return true;
}

bool HostWindow::OnTimer(WPARAM id, LPARAM lParam) {
    if (id == reinterpret_cast<WPARAM>(this)) {
        if (compositor_.StepFadeIn()) KillTimer(window_, id);
        return true;
    }
    // An element's timer id names its generation: a tick of an element that is gone (queued
    // before it was destroyed) reaches nobody, not even a new element at the same address.
    Element* element = elements_.TimerOwner(id);
    if (!element) return false;
    if (KindOfTimer(id) == ElementTimer::kFade) {
        element->AnimationTick();
    } else {
        element->Deliver(kMsgTimer, id, lParam);
    }
    return true;
}

void HostWindow::OnPaint() {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window_, &paint);
    const DibSurface& back = compositor_.BackBuffer();
    if (!settings_.IsLayered() && back.IsValid()) {
        const RECT& r = paint.rcPaint;
        BitBlt(dc, r.left, r.top, r.right - r.left, r.bottom - r.top, back.Dc(), r.left, r.top,
               SRCCOPY);
    }
    EndPaint(window_, &paint);
}

void HostWindow::OnRepaintRect(WPARAM mode, LPARAM rect) {
    if (mode & kRepaintFlushQueue) {
        compositor_.FlushRequested();
        return;
    }
    std::optional<RectF> area;
    if (mode & kRepaintPayloadToken) {
        area = PostedPayloads::TakeRect(reinterpret_cast<PayloadWindow>(window_),
                                        static_cast<PayloadToken>(rect));
    } else if (rect) {
        area = *reinterpret_cast<const RectF*>(rect);  // sent: the caller's rectangle
    }
    if (area) compositor_.QueueRect(*area, static_cast<RepaintMode>(mode & 0xFFFF));
}

LRESULT HostWindow::OnElementMoved(Element* element, LPARAM repaint) {
    if (compositor_.Busy()) return 0;
    if (!elements_.IsLive(element)) return 1;  // gone: nothing to wait for
    element->Deliver(kMsgElementMoved, reinterpret_cast<WPARAM>(element), repaint);
    if (repaint && element->IsCreated()) {
        compositor_.Queue().Add(element->PreviousRect());
        compositor_.Queue().Add(element->Rect());
        compositor_.Flush();
    }
    return 1;
}

LRESULT HostWindow::OnDeliver(Element* element, LPARAM token) {
    std::optional<PackedMessage> message = TakeElementMessage(window_, token);
    if (!message || !elements_.IsLive(element, message->generation)) return 0;
    return element->Deliver(message->message, message->wParam, message->lParam);
}

LRESULT HostWindow::OnRegisterAccelerator(Element* element, LPARAM character) {
    if (elements_.IsLive(element)) {
        elements_.RegisterAccelerator(element, static_cast<int>(character));
    }
    return 1;
}

AccessibleWindow* HostWindow::AccessibleRoot() {
    if (!accessible_ && window_)
        accessible_ = new AccessibleWindow(window_, elements_, accessibleRole_);
    return accessible_;
}

// The client area's object for a screen reader; every other object id is the system's.
LRESULT HostWindow::OnGetObject(WPARAM wParam, LPARAM lParam) {
    if (static_cast<LONG>(lParam) == OBJID_CLIENT) {
        if (AccessibleWindow* root = AccessibleRoot()) {
            if (const LRESULT answer = root->Answer(wParam)) return answer;
        }
    }
    return CallPrevious(WM_GETOBJECT, wParam, lParam);
}

// A default action invoked through an accessible object: the click a key press makes, for the
// element of that creation if it still takes clicks.
void HostWindow::OnAccessibleAction(Element* element, LPARAM generation) {
    if (!elements_.IsLive(element, static_cast<ElementGeneration>(generation))) return;
    if (element->Visible() && !element->Disabled()) input_.Click(element);
}

}  // namespace ui

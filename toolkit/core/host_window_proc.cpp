// HostWindow: the window procedure for everything but drawing and input routing.
#include "toolkit/core/caption_button.h"
#include "toolkit/core/host_window.h"
#include "toolkit/core/label.h"
#include "toolkit/core/posted_payloads.h"
#include "toolkit/core/window_icon.h"

#include <mutex>
#include <unordered_map>

namespace ui {

namespace {

// Windows whose host is gone while another subclass still sits on top of our procedure: the
// chain is left intact and our procedure passes everything to the one it replaced.
std::mutex gDetachedLock;
std::unordered_map<HWND, WNDPROC> gDetached;

WNDPROC DetachedPrevious(HWND window, bool forget) {
    std::lock_guard guard(gDetachedLock);
    auto found = gDetached.find(window);
    if (found == gDetached.end()) return nullptr;
    WNDPROC previous = found->second;
    if (forget) gDetached.erase(found);
    return previous;
}

}  // namespace

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
    if (RouteInput(message, wParam, lParam, routed)) return routed;
    switch (message) {
        case WM_DESTROY: {
            HWND window = window_;
            WNDPROC previous = previousProc_;
            Teardown();
            return previous ? CallWindowProcW(previous, window, message, wParam, lParam)
                            : DefWindowProcW(window, message, wParam, lParam);
        }
        case WM_SIZE:
            if (wParam != SIZE_MINIMIZED) OnSize();
            break;
        case WM_ACTIVATE:
            OnActivate(wParam);
            break;
        case WM_SETTEXT: {
            LRESULT result = CallPrevious(message, wParam, lParam);
            if (result == 1 && (captionFlags_ & kCaptionTitle) && title_) {
                title_->SetWideText(lParam ? reinterpret_cast<const wchar_t*>(lParam) : L"");
            }
            return result;
        }
        case WM_SETICON: {
            LRESULT result = CallPrevious(message, wParam, lParam);
            if (icon_) icon_->Redraw();
            return result;
        }
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
            if (reinterpret_cast<HWND>(wParam) == window_ && LOWORD(lParam) == HTCLIENT) {
                HCURSOR cursor = hover_ && hover_->Cursor() ? hover_->Cursor() : defaultCursor_;
                SetCursor(cursor);
                return 1;
            }
            break;
        case WM_TIMER:
            if (wParam == reinterpret_cast<WPARAM>(this)) {
                OnFadeInTick();
                return 0;
            }
            if (auto* element = reinterpret_cast<Element*>(wParam); ContainsElement(element)) {
                element->Deliver(kMsgTimer, wParam, lParam);
                return 0;
            }
            break;
        case WM_PAINT:
            OnPaint();
            return 0;
        case WM_ERASEBKGND:
            return 1;  // every pixel comes from the back buffer
        case kMsgRepaintRect:
            OnRepaintMessage(wParam, reinterpret_cast<const RectF*>(lParam));
            return 0;
        case kMsgElementMoved:
            return OnElementMoved(reinterpret_cast<Element*>(wParam), lParam);
        case kMsgDeliver:
            return OnDeliver(reinterpret_cast<Element*>(wParam),
                             reinterpret_cast<const PackedMessage*>(lParam));
        case kMsgFocusGained:
            SetFocusElement(reinterpret_cast<Element*>(lParam), false);
            return 0;
        case kMsgRegisterAccelerator:
            if (ContainsElement(reinterpret_cast<Element*>(wParam))) {
                RegisterAccelerator(reinterpret_cast<Element*>(wParam), static_cast<int>(lParam));
            }
            return 1;
        default:
            break;
    }
    return CallPrevious(message, wParam, lParam);
}

void HostWindow::OnSize() {
    RECT rect{};
    GetWindowRect(window_, &rect);
    SIZE size{rect.right - rect.left, rect.bottom - rect.top};
    if (size.cx == size_.cx && size.cy == size_.cy) return;
    size_ = size;
    if (callbacks_.sizeChanged) callbacks_.sizeChanged(window_, size.cx, size.cy);
    if (!window_) return;
    back_.Create(size.cx, size.cy);
    background_.Create(size.cx, size.cy);
    for (auto& button : captionButtons_)
        button->Redraw();  // maximise and restore glyphs
    Refresh();             // lays out the caption and rebuilds the window shape
}

void HostWindow::OnActivate(WPARAM wParam) {
    if (LOWORD(wParam) == WA_INACTIVE) {
        if (hover_) hover_->Deliver(kMsgMouseLeave, 0, 0);
        if (captured_ && pressed_) pressed_->Deliver(kMsgFocusLost, 0, 0);
        if (captured_) ReleaseCapture();
        captured_ = false;
    } else if (pressed_) {
        pressed_->Deliver(kMsgFocusGained, 0, 0);
    }
}

void HostWindow::OnMinMaxInfo(MINMAXINFO* info) {
    RECT work{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    // The 7-pixel shadow margin falls off screen when maximised.
    info->ptMaxSize = {work.right - work.left + 14, work.bottom - work.top + 14};
    info->ptMaxPosition = {work.left - 7, work.top - 7};
    int buttons = static_cast<int>(captionButtons_.size());
    bool caption = (captionFlags_ & ~kCaptionSoftShadow) != 0;
    info->ptMinTrackSize.x =
        caption ? 28 * buttons + ((captionFlags_ & kCaptionClose) ? 11 : 0) + 36 : 21;
    info->ptMinTrackSize.y = caption ? 38 : 20;
}

void HostWindow::OnPaint() {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window_, &paint);
    if (!IsLayered() && back_.IsValid()) {
        const RECT& r = paint.rcPaint;
        BitBlt(dc, r.left, r.top, r.right - r.left, r.bottom - r.top, back_.Dc(), r.left, r.top,
               SRCCOPY);
    }
    EndPaint(window_, &paint);
}

void HostWindow::OnRepaintMessage(WPARAM mode, const RectF* rect) {
    if (!rect) return;
    std::optional<RectF> copy = *rect;
    if (mode & kRepaintOwnedCopy) copy = PostedPayloads::TakeRect(window_, rect);
    if (copy) queue_.Add(*copy, static_cast<int>(mode & 0xFFFF));
}

LRESULT HostWindow::OnElementMoved(Element* element, LPARAM repaint) {
    if (busy_) return 0;
    if (!ContainsElement(element)) return 1;  // gone: nothing to wait for
    element->Deliver(kMsgElementMoved, reinterpret_cast<WPARAM>(element), repaint);
    if (repaint && element->IsCreated()) {
        queue_.Append(element->previousRect_);
        queue_.Append(element->rect_);
        queue_.Process();
    }
    return 1;
}

LRESULT HostWindow::OnDeliver(Element* element, const PackedMessage* block) {
    std::optional<PackedMessage> message = PostedPayloads::TakeMessage(window_, block);
    if (!message || !ContainsElement(element)) return 0;
    return element->Deliver(message->message, message->wParam, message->lParam);
}

}  // namespace ui

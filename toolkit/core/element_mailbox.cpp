#include "toolkit/core/element_mailbox.h"

#include "toolkit/core/element_messages.h"

namespace ui {

namespace {

PayloadWindow PayloadWindowOf(HWND window) {
    return reinterpret_cast<PayloadWindow>(window);
}

PayloadToken Register(const ElementAddress& to, UINT message, WPARAM wParam, LPARAM lParam) {
    return PostedPayloads::AddMessage(PayloadWindowOf(to.window),
                                      {message, wParam, lParam, to.generation});
}

}  // namespace

LRESULT SendToElement(const ElementAddress& to, UINT message, WPARAM wParam, LPARAM lParam) {
    if (!IsWindow(to.window)) return 0;
    PayloadToken token = Register(to, message, wParam, lParam);
    LRESULT result = SendMessageW(to.window, kMsgDeliver, reinterpret_cast<WPARAM>(to.element),
                                  static_cast<LPARAM>(token));
    PostedPayloads::Discard(token);  // still there when the window was gone
    return result;
}

bool PostToElement(const ElementAddress& to, UINT message, WPARAM wParam, LPARAM lParam) {
    PayloadToken token = Register(to, message, wParam, lParam);
    if (PostMessageW(to.window, kMsgDeliver, reinterpret_cast<WPARAM>(to.element),
                     static_cast<LPARAM>(token))) {
        return true;
    }
    PostedPayloads::Discard(token);
    return false;
}

std::optional<PackedMessage> TakeElementMessage(HWND window, LPARAM token) {
    return PostedPayloads::TakeMessage(PayloadWindowOf(window), static_cast<PayloadToken>(token));
}

}  // namespace ui

#include "runtime/system_message_box.h"

#include <utility>
#include <vector>

namespace rt {
namespace {

MessageBoxHandler& Handler() {
    static MessageBoxHandler handler;
    return handler;
}

std::vector<int> ButtonsOf(unsigned style) {
    switch (style & 0xF) {
        case kBoxOkCancel:
            return {kIdOk, kIdCancel};
        case kBoxAbortRetryIgnore:
            return {kIdAbort, kIdRetry, kIdIgnore};
        case kBoxYesNoCancel:
            return {kIdYes, kIdNo, kIdCancel};
        case kBoxYesNo:
            return {kIdYes, kIdNo};
        case kBoxRetryCancel:
            return {kIdRetry, kIdCancel};
        default:
            return {kIdOk};
    }
}

}  // namespace

int SystemMessageBox(const TextValue& text, const TextValue& title, unsigned style) {
    if (const MessageBoxHandler& handler = Handler()) return handler(text, title, style);
    return PlatformMessageBox(text, title, style);
}

void SetMessageBoxHandler(MessageBoxHandler handler) {
    Handler() = std::move(handler);
}

int DefaultButtonOf(unsigned style) {
    const std::vector<int> buttons = ButtonsOf(style);
    const unsigned defaultIndex = (style >> 8) & 0xF;  // MB_DEFBUTTON2 is 0x100, ...
    return defaultIndex < buttons.size() ? buttons[defaultIndex] : buttons.front();
}

}  // namespace rt

// Natively there is no system clipboard: the text is kept inside the process.
#include <mutex>

#include "runtime/clipboard.h"

namespace rt {
namespace {

std::mutex gLock;
TextValue gText;

}  // namespace

TextValue ClipboardGetText() {
    std::lock_guard<std::mutex> hold(gLock);
    return gText;
}

bool ClipboardSetText(const TextValue& text) {
    if (text.empty()) return false;
    std::lock_guard<std::mutex> hold(gLock);
    gText = text;
    return true;
}

}  // namespace rt

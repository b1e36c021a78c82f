#include <windows.h>

#include <cstring>

#include "runtime/clipboard.h"

namespace rt {
namespace {

// Holds the clipboard open for one scope.
class OpenedClipboard {
  public:
    OpenedClipboard() : open_(OpenClipboard(nullptr) != FALSE) {}
    ~OpenedClipboard() {
        if (open_) CloseClipboard();
    }
    OpenedClipboard(const OpenedClipboard&) = delete;
    OpenedClipboard& operator=(const OpenedClipboard&) = delete;
    bool IsOpen() const { return open_; }

  private:
    bool open_;
};

}  // namespace

TextValue ClipboardGetText() {
    OpenedClipboard clipboard;
    if (!clipboard.IsOpen()) return {};
    HANDLE data = GetClipboardData(CF_TEXT);
    if (!data) return {};
    const auto* text = static_cast<const char*>(GlobalLock(data));
    if (!text) return {};
    // The block may be larger than the text, but never trust it to be terminated.
    const std::size_t capacity = GlobalSize(data);
    const std::size_t length = strnlen(text, capacity);
    TextValue copy(text, length);
    GlobalUnlock(data);
    return copy;
}

bool ClipboardSetText(const TextValue& text) {
    if (text.empty()) return false;
    OpenedClipboard clipboard;
    if (!clipboard.IsOpen()) return false;
    EmptyClipboard();
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, text.size() + 1);
    if (!block) return false;
    if (void* target = GlobalLock(block)) {
        std::memcpy(target, text.c_str(), text.size() + 1);
        GlobalUnlock(block);
        if (SetClipboardData(CF_TEXT, block)) return true;  // the clipboard owns it now
    }
    GlobalFree(block);
    return false;
}

}  // namespace rt

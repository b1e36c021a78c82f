#include "toolkit/core/tooltip.h"

namespace ui {

void Tooltip::Create(HWND owner) {
    Destroy();
    window_ = CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP,
                              CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner,
                              nullptr, GetModuleHandleW(nullptr), nullptr);
    if (!window_) return;
    SetWindowPos(window_, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE);
    toolInfo_ = {};
    // Without the reserved pointer (44 bytes on the 32-bit target), understood by every version.
    toolInfo_.cbSize = TTTOOLINFOA_V2_SIZE;
    toolInfo_.uFlags = TTF_SUBCLASS;
    toolInfo_.hwnd = owner;
    SendMessageW(window_, TTM_SETMAXTIPWIDTH, 0, 1024);
}

void Tooltip::Destroy() {
    if (!window_) return;
    SendMessageA(window_, TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&toolInfo_));
    DestroyWindow(window_);
    window_ = nullptr;
}

void Tooltip::Show(const std::string& text, const RectF& rect) {
    if (!window_) return;
    SendMessageA(window_, TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&toolInfo_));
    if (text.empty()) return;
    toolInfo_.rect = {static_cast<LONG>(rect.x), static_cast<LONG>(rect.y),
                      static_cast<LONG>(rect.Right()), static_cast<LONG>(rect.Bottom())};
    toolInfo_.lpszText = const_cast<char*>(text.c_str());
    SendMessageA(window_, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&toolInfo_));
    toolInfo_.lpszText = nullptr;  // the tooltip keeps its own copy
}

}  // namespace ui

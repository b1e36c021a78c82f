#include "toolkit/core/tooltip.h"

#include "toolkit/core/common_controls.h"

namespace ui {

void Tooltip::Create(HWND owner) {
    Destroy();
    owner_ = owner;
}

bool Tooltip::MakeWindow() {
    if (window_) return true;
    if (!owner_ || !IsWindow(owner_)) return false;
    // Registers the tooltip class where the system has not done so yet.
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_BAR_CLASSES};
    comctl::InitCommonControlsEx(&controls);
    window_ = CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP,
                              CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner_,
                              nullptr, GetModuleHandleW(nullptr), nullptr);
    if (!window_) return false;
    SetWindowPos(window_, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE);
    toolInfo_ = {};
    // Without the reserved pointer (44 bytes on the 32-bit target), understood by every version.
    toolInfo_.cbSize = TTTOOLINFOA_V2_SIZE;
    toolInfo_.uFlags = TTF_SUBCLASS;
    toolInfo_.hwnd = owner_;
    SendMessageW(window_, TTM_SETMAXTIPWIDTH, 0, 1024);
    return true;
}

void Tooltip::Destroy() {
    owner_ = nullptr;
    if (!window_) return;
    SendMessageA(window_, TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&toolInfo_));
    DestroyWindow(window_);
    window_ = nullptr;
}

void Tooltip::Update(const std::string& text, const RectF& rect) {
    if (window_) Show(text, rect);
}

void Tooltip::Show(const std::string& text, const RectF& rect) {
    if (window_) SendMessageA(window_, TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&toolInfo_));
    if (text.empty() || !MakeWindow()) return;
    toolInfo_.rect = {static_cast<LONG>(rect.x), static_cast<LONG>(rect.y),
                      static_cast<LONG>(rect.Right()), static_cast<LONG>(rect.Bottom())};
    toolInfo_.lpszText = const_cast<char*>(text.c_str());
    SendMessageA(window_, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&toolInfo_));
    toolInfo_.lpszText = nullptr;  // the tooltip keeps its own copy
}

}  // namespace ui

// HostWindow: attaching to a window, settings, the element bookkeeping and teardown.
#include "toolkit/core/host_window.h"

#include <algorithm>

#include "toolkit/core/caption_button.h"
#include "toolkit/core/label.h"
#include "toolkit/core/posted_payloads.h"
#include "toolkit/core/text_render.h"
#include "toolkit/core/toolkit.h"
#include "toolkit/core/window_icon.h"

namespace ui {

namespace {

constexpr int kCaptionButtonFlags[] = {kCaptionClose,  kCaptionMaximise, kCaptionMinimise,
                                       kCaptionExtra1, kCaptionExtra2,   kCaptionExtra3,
                                       kCaptionExtra4};

}  // namespace

HostWindow::HostWindow() = default;

HostWindow::~HostWindow() {
    // A host that goes away before its window hands the window back to its own procedure.
    if (window_) Teardown();
}

HostWindow* HostWindow::FromWindow(HWND window) {
    if (!window) return nullptr;
    return static_cast<HostWindow*>(GetPropW(window, kHostProperty));
}

bool HostWindow::Attach(HWND window, const AttachOptions& options) {
    if (!window || !IsWindow(window) || window == window_ || window_) return false;
    if (FromWindow(window)) return false;  // another host holds it
    window_ = window;
    layeredAlpha_ = options.layeredAlpha;
    animationKind_ = options.animationKind;
    animationDuration_ = options.animationDuration;
    LONG style = GetWindowLongW(window, GWL_STYLE);
    resizable_ = options.resizable.value_or((style & WS_THICKFRAME) != 0);
    draggable_ = options.draggable;
    backgroundMode_ = options.backgroundMode;
    backgroundColor_ = options.backgroundColor;
    cornerStyle_ = options.cornerStyle;
    border_ = options.border;
    nineGridMargins_ = options.nineGridMargins;
    shadowColor_ = options.shadowColor;
    shadowWindowFlag_ = options.shadowWindow.value_or(OsMajorVersion() == 6);
    if (options.externalBackground) {
        SetExternalBackgroundImage(options.externalBackground);
    } else {
        SetBackgroundImage(
            ByteView(options.backgroundImage.data(), options.backgroundImage.size()));
    }

    ApplyCaptionFlags(options.captionFlags);
    ApplyStyleRules();
    SetPropW(window, kHostProperty, this);
    defaultCursor_ = ui::DefaultCursor();
    CreateBuffers();
    if (IsLayered()) {
        SetWindowLongW(window, GWL_EXSTYLE, GetWindowLongW(window, GWL_EXSTYLE) | WS_EX_LAYERED);
    }
    previousProc_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&SharedProc)));
    busy_ = true;
    queue_.Init(this);
    CreateCaption();
    CreateTooltip();
    busy_ = false;
    Refresh(options.fadeIn ? 1 : 0);
    return true;
}

void HostWindow::ApplyCaptionFlags(std::optional<int> given) {
    int flags = given.value_or(0);
    LONG style = GetWindowLongW(window_, GWL_STYLE);
    if (!given || *given != 0) style |= WS_SYSMENU;
    if (!given || (*given & kCaptionStandardSet)) {
        flags |= kCaptionIcon | kCaptionTitle | kCaptionClose;
        if (style & WS_MAXIMIZEBOX) flags |= kCaptionMaximise;
        if (style & WS_MINIMIZEBOX) flags |= kCaptionMinimise;
    }
    flags |= kCaptionSoftShadow;
    captionFlags_ = flags;
    SetWindowLongW(window_, GWL_STYLE, style);
}

void HostWindow::ApplyStyleRules() {
    LONG style = GetWindowLongW(window_, GWL_STYLE);
    LONG wanted = (style | WS_POPUP) & ~(WS_THICKFRAME | WS_DLGFRAME | WS_BORDER);
    if (captionFlags_ & kCaptionMinimise) wanted |= WS_MINIMIZEBOX;
    if (captionFlags_ & kCaptionMaximise) wanted |= WS_MAXIMIZEBOX;
    // Only a real change: setting the style again would come back as WM_STYLECHANGED.
    if (wanted != style) SetWindowLongW(window_, GWL_STYLE, wanted);
}

void HostWindow::CreateBuffers() {
    RECT rect{};
    GetWindowRect(window_, &rect);
    size_ = {rect.right - rect.left, rect.bottom - rect.top};
    if (!windowDc_) windowDc_ = GetDC(window_);
    back_.Create(size_.cx, size_.cy);
    background_.Create(size_.cx, size_.cy);
}

void HostWindow::CreateCaption() {
    if (captionFlags_ & kCaptionIcon) {
        icon_ = std::make_unique<WindowIcon>();
        icon_->Create(window_);
    }
    if (captionFlags_ & kCaptionTitle) {
        wchar_t text[512] = {};  // room for 511 characters and the terminator
        GetWindowTextW(window_, text, 512);
        title_ = std::make_unique<Label>();
        LabelSpec spec;
        spec.rect = {11, 10, 100, 20};
        spec.textColor = Argb(0xFFFFFF, 250);
        title_->Create(window_, spec);
        title_->SetWideText(text);
    }
    for (int flag : kCaptionButtonFlags) {
        if (!(captionFlags_ & flag)) continue;
        auto button = std::make_unique<CaptionButton>();
        button->Create(window_, flag);
        captionButtons_.push_back(std::move(button));
    }
    LayoutCaption();
}

void HostWindow::LayoutCaption() {
    float x = static_cast<float>(size_.cx - 5);
    if (captionFlags_ & kCaptionClose) x -= 12;
    for (auto& button : captionButtons_) {
        x -= 28;
        button->Move(x, 7.0f, {}, {});
    }
    if (title_ && (captionFlags_ & kCaptionTitle)) {
        float left = (captionFlags_ & kCaptionIcon) ? 28.0f : 11.0f;
        title_->Move(left, 10.0f, x - left, 20.0f);
    }
}

void HostWindow::CreateTooltip() {
    tooltip_ = CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, window_,
                               nullptr, GetModuleHandleW(nullptr), nullptr);
    if (!tooltip_) return;
    SetWindowPos(tooltip_, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE);
    toolInfo_ = {};
    toolInfo_.cbSize = 44;  // the size without the reserved pointer, understood by every version
    toolInfo_.uFlags = TTF_SUBCLASS;
    toolInfo_.hwnd = window_;
    SendMessageW(tooltip_, TTM_SETMAXTIPWIDTH, 0, 1024);
}

void HostWindow::ShowTooltip(const std::string& text, const RectF& rect) {
    if (!tooltip_) return;
    SendMessageA(tooltip_, TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&toolInfo_));
    if (text.empty()) return;
    toolInfo_.rect = {static_cast<LONG>(rect.x), static_cast<LONG>(rect.y),
                      static_cast<LONG>(rect.Right()), static_cast<LONG>(rect.Bottom())};
    toolInfo_.lpszText = const_cast<char*>(text.c_str());
    SendMessageA(tooltip_, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&toolInfo_));
    toolInfo_.lpszText = nullptr;  // the tooltip keeps its own copy
}

void HostWindow::Teardown() {
    HWND window = window_;
    busy_ = true;
    KillTimer(window, reinterpret_cast<UINT_PTR>(this));
    if (tooltip_) {
        SendMessageA(tooltip_, TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&toolInfo_));
        DestroyWindow(tooltip_);
        tooltip_ = nullptr;
    }
    ReleaseProcedure(window, previousProc_);
    queue_.Clear();
    DestroyAllElements();
    clipRegion_.reset();
    ownBackground_.reset();
    externalBackground_ = nullptr;
    if (captured_ && GetCapture() == window) ReleaseCapture();
    captured_ = false;
    pressed_ = focus_ = hover_ = keyboardFocus_ = nullptr;
    first_ = last_ = nullptr;
    back_.Release();
    background_.Release();
    if (windowDc_) ReleaseDC(window, windowDc_);
    windowDc_ = nullptr;
    accelerators_.clear();
    captionButtons_.clear();
    title_.reset();
    icon_.reset();
    RemovePropW(window, kHostProperty);
    PostedPayloads::DropWindow(window);  // messages that will never be taken now
    previousProc_ = nullptr;
    window_ = nullptr;
    closing_ = false;
    busy_ = false;
}

void HostWindow::DestroyAllElements() {
    while (Element* element = first_) {
        element->Destroy();
        if (first_ == element) element->Unlink();
        if (first_ == element) first_ = element->next_;  // not found by Unlink: drop it
    }
}

void HostWindow::AppendTopLevel(Element* element) {
    element->AppendTo(first_, last_);
}

void HostWindow::ForgetElement(Element* element) {
    if (pressed_ == element) {
        pressed_ = nullptr;
        captured_ = false;
    }
    if (focus_ == element) focus_ = nullptr;
    if (hover_ == element) hover_ = nullptr;
    if (keyboardFocus_ == element) keyboardFocus_ = nullptr;
    // An accelerator must not outlive its element: Alt+key would click freed memory.
    std::erase_if(accelerators_, [element](const auto& entry) { return entry.first == element; });
}

bool HostWindow::ContainsElement(const Element* element) const {
    if (!element) return false;
    // Depth-first over the tree without recursion: siblings, then children.
    std::vector<const Element*> pending;
    if (first_) pending.push_back(first_);
    while (!pending.empty()) {
        const Element* e = pending.back();
        pending.pop_back();
        for (; e; e = e->next_) {
            if (e == element) return true;
            if (e->firstChild_) pending.push_back(e->firstChild_);
        }
    }
    return false;
}

void HostWindow::SetFocusElement(Element* element, bool fromKeyboard) {
    if (!element || !ContainsElement(element) || element->disabled_ || !element->visible_ ||
        !element->focusable_ || element->typeId_ == kTypeNoTabFocus || element == focus_) {
        return;
    }
    Element* old = focus_;
    focus_ = element;
    keyboardFocus_ = fromKeyboard ? element : nullptr;
    if (old) old->Deliver(kMsgFocusLost, 0, reinterpret_cast<LPARAM>(element));
    if (ContainsElement(element)) {
        element->Deliver(kMsgFocusGained, 0, reinterpret_cast<LPARAM>(old));
    }
}

void HostWindow::RegisterAccelerator(Element* element, int character) {
    if (!element) return;
    std::erase_if(accelerators_, [element](const auto& entry) { return entry.first == element; });
    if (character != 0) accelerators_.emplace_back(element, character);
}

int HostWindow::AcceleratorOf(const Element* element) const {
    for (const auto& [owner, character] : accelerators_) {
        if (owner == element) return character;
    }
    return 0;
}

void HostWindow::SetLayeredAlpha(int alpha) {
    layeredAlpha_ = alpha;
    if (!window_) return;
    LONG ex = GetWindowLongW(window_, GWL_EXSTYLE);
    LONG wanted = IsLayered() ? (ex | WS_EX_LAYERED) : (ex & ~WS_EX_LAYERED);
    if (wanted != ex) SetWindowLongW(window_, GWL_EXSTYLE, wanted);
    Refresh();
}

void HostWindow::SetDefaultCursorId(int systemCursorId) {
    defaultCursor_ = LoadCursorW(nullptr, MAKEINTRESOURCEW(systemCursorId));
}

void HostWindow::SetBackgroundImage(ByteView bytes) {
    ownBackground_ = LoadImage(bytes).TakeImage();
    externalBackground_ = nullptr;
}

void HostWindow::SetExternalBackgroundImage(GpImage* image) {
    ownBackground_.reset();
    externalBackground_ = image;
}

GpImage* HostWindow::BackgroundImage() const {
    return externalBackground_ ? externalBackground_ : ownBackground_.get();
}

bool HostWindow::BackgroundIsDark(const RectF& rect) const {
    if (!BackgroundImage() || !background_.IsValid()) {
        return IsDark(ArgbFromColorRef(backgroundColor_, 255));
    }
    int dark = 0;
    for (float fy : {0.2f, 0.5f, 0.8f}) {
        for (float fx : {0.2f, 0.5f, 0.8f}) {
            std::uint32_t p = background_.Pixel(static_cast<int>(rect.x + rect.width * fx),
                                                static_cast<int>(rect.y + rect.height * fy));
            int alpha = static_cast<int>(p >> 24);
            // The buffer is premultiplied: undo it before judging the colour.
            auto channel = [&](int shift) {
                int value = static_cast<int>((p >> shift) & 0xFF);
                return alpha ? std::min(255, value * 255 / alpha) : 0;
            };
            ARGB colour = Argb((channel(16) << 16) | (channel(8) << 8) | channel(0), 255);
            if (IsDark(colour)) ++dark;
        }
    }
    return dark > 4;
}

}  // namespace ui

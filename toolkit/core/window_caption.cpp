#include "toolkit/core/window_caption.h"

#include "toolkit/core/caption_button.h"
#include "toolkit/core/label.h"
#include "toolkit/core/window_icon.h"

namespace ui {

namespace {

constexpr int kButtonFlags[] = {kCaptionClose,  kCaptionMaximise, kCaptionMinimise, kCaptionExtra1,
                                kCaptionExtra2, kCaptionExtra3,   kCaptionExtra4};

}  // namespace

WindowCaption::WindowCaption(const HostSettings& settings) : settings_(settings) {}

WindowCaption::~WindowCaption() = default;

void WindowCaption::Create(HWND window, int width) {
    int flags = settings_.captionFlags;
    if (flags & kCaptionIcon) {
        icon_ = std::make_unique<WindowIcon>();
        icon_->Create(window);
    }
    if (flags & kCaptionTitle) {
        wchar_t text[512] = {};  // room for 511 characters and the terminator
        GetWindowTextW(window, text, 512);
        title_ = std::make_unique<Label>();
        title_->Create(window,
                       {.rect = {11, 10, 100, 20}, .style = {.color = Argb(0xFFFFFF, 250)}});
        title_->SetWideText(text);
    }
    for (int flag : kButtonFlags) {
        if (!(flags & flag)) continue;
        buttons_.push_back(std::make_unique<CaptionButton>());
        buttons_.back()->Create(window, flag);
    }
    Layout(width);
}

void WindowCaption::Destroy() {
    buttons_.clear();
    title_.reset();
    icon_.reset();
}

void WindowCaption::Layout(int width) {
    float x = static_cast<float>(width - 5);
    if (settings_.captionFlags & kCaptionClose) x -= 12;
    for (auto& button : buttons_) {
        x -= 28;
        button->Move(x, 7.0f, {}, {});
    }
    if (title_ && (settings_.captionFlags & kCaptionTitle)) {
        float left = (settings_.captionFlags & kCaptionIcon) ? 28.0f : 11.0f;
        title_->Move(left, 10.0f, x - left, 20.0f);
    }
}

void WindowCaption::TextChanged(const wchar_t* text) {
    if (title_ && (settings_.captionFlags & kCaptionTitle)) title_->SetWideText(text ? text : L"");
}

void WindowCaption::IconChanged() {
    if (icon_) icon_->Redraw();
}

void WindowCaption::Resized() {
    for (auto& button : buttons_)
        button->Redraw();
}

POINT WindowCaption::MinimumTrackSize() const {
    int flags = settings_.captionFlags;
    if ((flags & ~kCaptionSoftShadow) == 0) return {21, 20};
    int buttons = static_cast<int>(buttons_.size());
    return {28 * buttons + ((flags & kCaptionClose) ? 11 : 0) + 36, 38};
}

bool WindowCaption::TogglesMaximise(const Element* element) const {
    int flags = settings_.captionFlags;
    return title_ && element == title_.get() && (flags & kCaptionTitle) &&
           (flags & kCaptionMaximise);
}

}  // namespace ui

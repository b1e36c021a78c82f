#include "toolkit/controls/message_box.h"

#include <memory>
#include <utility>

#include "art/toolkit_art.h"
#include "toolkit/controls/glow_button.h"
#include "toolkit/controls/push_button.h"
#include "toolkit/core/accessible_window.h"
#include "toolkit/core/host_window.h"
#include "toolkit/core/label.h"
#include "toolkit/core/message_loops.h"
#include "toolkit/core/text_convert.h"
#include "toolkit/core/text_render.h"
#include "toolkit/core/toolkit.h"
#include "toolkit/core/window_class.h"

namespace ui {

namespace {

constexpr wchar_t kIconProperty[] = L"Ui_Surface_MsgBox";
constexpr INT_PTR kMessageBoxFlags = 3;  // marks a message box for the toolkit's shared hooks
constexpr int kStartWidth = 320, kStartHeight = 150;
constexpr int kButtonWidth = 70, kButtonStep = 75;
constexpr char kDefaultTitle[] = "提示：";

struct ButtonEntry {
    std::string caption;
    int result;
};

// The captions and results of a set, rightmost first.
std::vector<ButtonEntry> ButtonSet(MessageButtons buttons) {
    switch (buttons) {
        case MessageButtons::kOk:
            return {{"确认", kResultOk}};
        case MessageButtons::kOkCancel:
            return {{"取消", kResultCancel}, {"确认", kResultOk}};
        case MessageButtons::kAbortRetryIgnore:
            return {{"忽略", kResultIgnore}, {"重试", kResultRetry}, {"放弃", kResultAbort}};
        case MessageButtons::kYesNoCancel:
            return {{"取消", kResultCancel}, {"否(&N)", kResultNo}, {"是(&Y)", kResultYes}};
        case MessageButtons::kYesNo:
            return {{"否(&N)", kResultNo}, {"是(&Y)", kResultYes}};
        case MessageButtons::kRetryCancel:
            return {{"取消", kResultCancel}, {"重试", kResultRetry}};
    }
    return {};
}

int IconOffset(int icon) {
    switch (icon) {
        case 48:
            return 40;
        case 32:
            return 80;
        case 64:
            return 120;
        case 128:
            return 160;
        default:
            return 0;
    }
}

// The background strip in three bands (top 96 rows, a stretched middle, the bottom 31 rows)
// and the icon picture the window's property selects.
void PaintBox(HWND window, GpGraphics* g, int width, int height, GpImage* strip, GpImage* icons) {
    float w = static_cast<float>(width - 14), h = static_cast<float>(height);
    DrawImagePart(g, strip, {7, 7, w, 96}, {0, 0, 1, 96});
    // The strip's middle is one colour from row 96 down to row 128: a row of it is stretched.
    DrawImagePart(g, strip, {7, 103, w, h - 145}, {0, 112, 1, 1});
    DrawImagePart(g, strip, {7, h - 42, w, 35}, {0, 129, 1, 31});
    auto icon = reinterpret_cast<INT_PTR>(GetPropW(window, kIconProperty));
    if (reinterpret_cast<INT_PTR>(GetPropW(window, kWindowFlagsProperty)) == kMessageBoxFlags &&
        icon != 0) {
        DrawImagePart(g, icons, {30, 40, 40, 40},
                      {static_cast<float>(IconOffset(static_cast<int>(icon))), 0, 40, 40});
    }
}

// The caller's captions, rightmost first; button i from the right returns i.
std::vector<ButtonEntry> CaptionSet(const std::vector<std::string>& captions) {
    std::vector<ButtonEntry> set;
    for (std::size_t i = captions.size(); i-- > 0;)
        set.push_back({captions[i], static_cast<int>(set.size()) + 1});
    return set;
}

// The look of the box: the caller's own skin when given, else the owner's when it is a toolkit
// window, else the toolkit's plain one.
AttachOptions BoxLook(HWND owner, const MessageBoxOptions& box) {
    if (box.customSkin) {
        AttachOptions skin = *box.customSkin;
        if (!skin.captionFlags) skin.captionFlags = box.captionButtons;
        return skin;
    }
    AttachOptions options;
    options.captionFlags = box.captionButtons;
    if (HostWindow* host = HostWindow::FromWindow(owner)) {
        const HostSettings& from = host->Settings();
        options.settings.layeredAlpha = from.layeredAlpha;
        options.settings.backgroundMode = from.backgroundMode;
        options.settings.cornerStyle =
            from.cornerStyle == CornerStyle::kNineGrid ? CornerStyle::kRounded : from.cornerStyle;
        options.settings.nineGridMargins = from.nineGridMargins;
        options.settings.border = from.border;
        options.shadowWindow = from.shadowWindow;
    } else {
        options.settings.backgroundColor = RGB(0x00, 0x88, 0xFF);
        options.settings.layeredAlpha = 210;
    }
    return options;
}

RECT ReferenceRect(HWND owner, bool centreOnOwner) {
    RECT rect{};
    if (centreOnOwner && IsWindow(owner)) {
        GetWindowRect(owner, &rect);
    } else {
        SystemParametersInfoW(SPI_GETWORKAREA, 0, &rect, 0);
    }
    return rect;
}

// One open box: its window, host, elements and result.
class MessageBoxWindow {
  public:
    MessageBoxWindow(HWND owner, const std::string& text, MessageBoxOptions& options)
        : owner_(owner), text_(text), options_(options) {}
    ~MessageBoxWindow() {
        buttons_.clear();
        label_.Destroy();
    }

    int Run() {
        if (options_.title.empty()) options_.title = kDefaultTitle;
        if (!Create()) return kResultCancel;
        Layout();
        Show();
        RaiseWindowEvent(window_, EVENT_SYSTEM_DIALOGSTART);
        RunModalLoop(window_, &IsInputForOtherWindow);
        RaiseWindowEvent(window_, EVENT_SYSTEM_DIALOGEND);
        return result_;
    }

  private:
    bool Create() {
        icon_ = static_cast<int>(options_.icon);
        reference_ = ReferenceRect(owner_, options_.centreOnOwner);
        textArea_ = icon_ ? RectF{85, 43, 200, 50} : RectF{30, 43, 260, 50};
        POINT at = CentredOrigin(reference_, width_, height_);
        // Made topmost at once: Wine ignores a later HWND_TOPMOST for a layered window.
        window_ = CreateHostWindow({.parent = owner_,
                                    .title = options_.title,
                                    .x = at.x,
                                    .y = at.y,
                                    .width = width_,
                                    .height = height_,
                                    .exStyle = WS_EX_TOPMOST});
        if (!window_) return false;
        SetPropW(window_, kIconProperty, reinterpret_cast<HANDLE>(static_cast<INT_PTR>(icon_)));
        SetPropW(window_, kWindowFlagsProperty, reinterpret_cast<HANDLE>(kMessageBoxFlags));
        strip_ = LoadImage(art::Bytes(art::ToolkitImage::kMessageBackground));
        icons_ = LoadImage(art::Bytes(art::ToolkitImage::kMessageIcons));
        HostCallbacks& callbacks = host_.Callbacks();
        callbacks.backgroundPaint = [this](HWND w, GpGraphics* g, int width, int height) {
            PaintBox(w, g, width, height, strip_.Get(), icons_.Get());
        };
        callbacks.rawMessage = [](HWND w, UINT message, WPARAM wParam, LPARAM) -> LRESULT {
            if (message == WM_KEYDOWN && wParam == VK_ESCAPE) PostMessageW(w, WM_CLOSE, 0, 0);
            if (message == WM_DESTROY) {
                RemovePropW(w, kIconProperty);
                RemovePropW(w, kWindowFlagsProperty);
            }
            return -1;
        };
        callbacks.sizeChanged = [this](HWND, int width, int height) {
            PlaceButtons(width, height, 10);
        };
        callbacks.click = [this](HWND w, Element* element, WPARAM, LPARAM, int) {
            for (std::size_t i = 0; i < buttons_.size(); ++i) {
                if (buttons_[i].get() != element) continue;
                result_ = results_[i];
                PostMessageW(w, WM_CLOSE, 0, 0);
            }
        };
        host_.SetAccessibleRole(AccessibleRole::kDialog);  // named by its title
        if (!host_.Attach(window_, BoxLook(owner_, options_))) return false;
        // Attaching sets every setting of the host; the close animation is set after it.
        if (options_.closeAnimation) host_.Settings().animationKind = *options_.closeAnimation;
        return true;
    }

    void Layout() {
        FitText();
        BuildButtons();
        LabelSpec spec{.rect = textArea_, .text = text_, .multiLine = true};
        label_.Create(window_, spec);
        if (options_.onLayout) options_.onLayout(window_, width_, height_);
    }

    // Grows the box (and the text area) until the unwrapped text fits, keeping it centred.
    void FitText() {
        ImagePtr scratch = NewArgbBitmap(1, 1);
        GraphicsPtr g = NewSmoothGraphics(scratch.get());
        RectF measured = MeasureString(g.get(), ToWide(text_), DefaultFont(), nullptr);
        int textWidth = static_cast<int>(measured.width),
            textHeight = static_cast<int>(measured.height);
        if (measured.width > textArea_.width) {
            width_ = textWidth + (width_ - static_cast<int>(textArea_.width));
            Recentre();
            textArea_.width = measured.width + 10;
        }
        if (measured.height > textArea_.height) {
            height_ = textHeight + (height_ - static_cast<int>(textArea_.height));
            Recentre();
            textArea_.height = measured.height + 5;
        }
        if (measured.height < 30) textArea_.y += 4;
    }

    void Recentre() {
        POINT at = CentredOrigin(reference_, width_, height_);
        MoveWindow(window_, at.x, at.y, width_, height_, FALSE);
    }

    // Without captions of the caller's, the set's are written back, left to right as given.
    void BuildButtons() {
        const bool ownCaptions = !options_.captions.empty();
        const std::vector<ButtonEntry> set =
            ownCaptions ? CaptionSet(options_.captions) : ButtonSet(options_.buttons);
        if (!ownCaptions) {
            for (auto entry = set.rbegin(); entry != set.rend(); ++entry)
                options_.captions.push_back(entry->caption);
        }
        float height = options_.glowButtons ? 26.0f : 24.0f;
        for (const ButtonEntry& entry : set) {
            std::unique_ptr<Control> button;
            if (options_.glowButtons) {
                button = std::make_unique<GlowButton>();
            } else {
                button = std::make_unique<PushButton>();
            }
            button->Create(window_, {.rect = {0, 0, kButtonWidth, height}, .text = entry.caption});
            buttons_.push_back(std::move(button));
            results_.push_back(entry.result);
        }
        PlaceButtons(width_, height_, 8);
        std::size_t focus = static_cast<std::size_t>(options_.defaultButton - 1);
        if (focus < buttons_.size()) host_.Elements().SetFocusElement(buttons_[focus].get(), false);
    }

    // Button i (1 = rightmost) at x = width - 75 i - margin.
    void PlaceButtons(int width, int height, int margin) {
        for (std::size_t i = 0; i < buttons_.size(); ++i) {
            float x = static_cast<float>(width - kButtonStep * static_cast<int>(i + 1) - margin);
            buttons_[i]->Move(x, static_cast<float>(height - 35), {}, {});
        }
    }

    // Showing lets queued messages through; a click queued for the owner meanwhile (a second
    // click on the button that opened the box) is dropped first.
    void Show() {
        DropQueuedInput();
        if (icon_ != 0 && options_.beep) MessageBeep(static_cast<UINT>(icon_));
        SetWindowPos(window_, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        host_.Show(options_.showAnimation);
        SetForegroundWindow(window_);
    }

    HWND owner_;
    std::string text_;
    MessageBoxOptions& options_;
    HWND window_ = nullptr;
    int icon_ = 0;
    int width_ = kStartWidth, height_ = kStartHeight;
    RECT reference_{};
    RectF textArea_;
    int result_ = kResultCancel;
    LoadedImage strip_, icons_;
    HostWindow host_;
    Label label_;
    std::vector<std::unique_ptr<Control>> buttons_;
    std::vector<int> results_;
};

}  // namespace

int ToolkitMessageBox(HWND owner, const std::string& text, MessageBoxOptions& options) {
    MessageBoxWindow box(owner, text, options);
    return box.Run();
}

int ToolkitMessageBox(HWND owner, const std::string& text, MessageBoxOptions&& options) {
    return ToolkitMessageBox(owner, text, options);
}

}  // namespace ui

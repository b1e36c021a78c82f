// The toolkit's skinned message box: a text, an optional 40 x 40 icon and up to three buttons in
// a toolkit window that blocks its caller in a modal loop until it is closed.
#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "runtime/value_types.h"
#include "toolkit/core/host_settings.h"

namespace ui {

// Button sets; the values are those of the system message box's MB_OK .. MB_RETRYCANCEL.
enum class MessageButtons : int {
    kOk = 0,                // 确认
    kOkCancel = 1,          // 确认 取消
    kAbortRetryIgnore = 2,  // 放弃 重试 忽略
    kYesNoCancel = 3,       // 是(&Y) 否(&N) 取消
    kYesNo = 4,             // 是(&Y) 否(&N)
    kRetryCancel = 5,       // 重试 取消
};

// Icons; the values are those of the system message box's MB_ICON* (and its beeps).
enum class MessageIcon : int {
    kNone = 0,
    kStop = 16,
    kQuestion = 32,
    kExclamation = 48,
    kInformation = 64,
    kFifth = 128,
};

// Results: the system's IDOK .. IDNO minus 1, the runtime's message-box codes. Escape and a
// close from elsewhere give kResultCancel.
using MessageResult = rt::MessageBoxResult;
using enum rt::MessageBoxResult;

// The box's arguments. `title` and `captions` are also the caller's variables: where they are
// left empty, the box writes back what it shows (the ToolkitMessageBox that takes the options by
// reference). Captions kept that way are the caller's own at the next box: its buttons then
// return their positions.
struct MessageBoxOptions {
    MessageButtons buttons = MessageButtons::kOk;
    std::string title;  // empty: "提示：", written back
    MessageIcon icon = MessageIcon::kNone;
    // Called once the box is laid out, before it is shown: (box, width, height).
    std::function<void(HWND, int, int)> onLayout;
    bool beep = true;            // MessageBeep with the icon's value when an icon is shown
    bool centreOnOwner = false;  // else centred on the work area
    int captionButtons = kCaptionTitle | kCaptionClose;
    // Captions left to right instead of the set's; button i from the right returns i. Empty:
    // the set's captions, written back left to right.
    std::vector<std::string> captions;
    int defaultButton = 1;  // focused button, counted from the right, 1-based
    // The box's own look, attached as given (background picture included) instead of its
    // owner's look or the plain one; caption flags it leaves unset come from `captionButtons`.
    std::optional<AttachOptions> customSkin;
    AnimationKind showAnimation = AnimationKind::kNone;
    // The host's close animation; none given: the one the box was attached with.
    std::optional<AnimationKind> closeAnimation;
    bool glowButtons = false;  // GlowButtons (70 x 26) instead of PushButtons (70 x 24)
};

// Shows the box over `owner` (may be 0) and returns the pressed button's MessageResult, or
// kResultCancel when it was closed otherwise (also when it could not be made). The box is
// topmost and runs its own modal loop on the caller's thread: other windows of the thread keep
// painting, but their keyboard and mouse input is dropped. Needs the toolkit started. This one
// writes the shown title and captions back into `options` where they were left empty.
int ToolkitMessageBox(HWND owner, const std::string& text, MessageBoxOptions& options);
// The same for options the caller does not keep.
int ToolkitMessageBox(HWND owner, const std::string& text, MessageBoxOptions&& options = {});

}  // namespace ui

// The toolkit's skinned message box: a text, an optional 40 x 40 icon and up to three buttons in
// a toolkit window that blocks its caller in a modal loop until it is closed.
#pragma once

#include <windows.h>

#include <functional>
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

struct MessageBoxOptions {
    MessageButtons buttons = MessageButtons::kOk;
    std::string title;  // empty: "提示："
    MessageIcon icon = MessageIcon::kNone;
    // Called once the box is laid out, before it is shown: (box, width, height).
    std::function<void(HWND, int, int)> onLayout;
    bool beep = true;            // MessageBeep with the icon's value when an icon is shown
    bool centreOnOwner = false;  // else centred on the work area
    int captionButtons = kCaptionTitle | kCaptionClose;
    // Captions left to right instead of the set's; button i from the right returns i.
    std::vector<std::string> captions;
    int defaultButton = 1;  // focused button, counted from the right, 1-based
    AnimationKind showAnimation = AnimationKind::kNone;
    AnimationKind closeAnimation = AnimationKind::kNone;
    bool glowButtons = false;  // GlowButtons (70 x 26) instead of PushButtons (70 x 24)
};

// Shows the box over `owner` (may be 0) and returns the pressed button's MessageResult, or
// kResultCancel when it was closed otherwise (also when it could not be made). The box is
// topmost and runs its own modal loop on the caller's thread: other windows of the thread keep
// painting, but their keyboard and mouse input is dropped. Needs the toolkit started.
int ToolkitMessageBox(HWND owner, const std::string& text, const MessageBoxOptions& options = {});

}  // namespace ui

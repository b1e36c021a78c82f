// The system's plain message box, as the runtime's errors and the program's simple questions use
// it. On Windows it is MessageBoxA without an owner window; the native build prints the box to
// stderr and answers with its default button. A handler can take the place of the box (tests,
// runs without a desktop).
#pragma once

#include <functional>

#include "runtime/value_types.h"

namespace rt {

// MessageBoxA style bits and button ids the program uses.
inline constexpr unsigned kBoxOk = 0x0, kBoxOkCancel = 0x1, kBoxAbortRetryIgnore = 0x2,
                          kBoxYesNoCancel = 0x3, kBoxYesNo = 0x4, kBoxRetryCancel = 0x5;
inline constexpr unsigned kBoxIconError = 0x10, kBoxIconQuestion = 0x20, kBoxIconWarning = 0x30,
                          kBoxIconInformation = 0x40;
inline constexpr int kIdOk = 1, kIdCancel = 2, kIdAbort = 3, kIdRetry = 4, kIdIgnore = 5,
                     kIdYes = 6, kIdNo = 7;

// Receives text, title and style; returns the pressed button's id (0 for failure).
using MessageBoxHandler =
    std::function<int(const TextValue& text, const TextValue& title, unsigned style)>;

// Shows the box (or hands it to the handler) and returns the button id, 0 on failure.
int SystemMessageBox(const TextValue& text, const TextValue& title, unsigned style);

// Replaces the system box; an empty handler restores it. Set it before other threads show boxes.
void SetMessageBoxHandler(MessageBoxHandler handler);

// The platform's own box, bypassing any handler.
int PlatformMessageBox(const TextValue& text, const TextValue& title, unsigned style);

// The button a box of this style answers with when nobody chooses (its default button).
int DefaultButtonOf(unsigned style);

}  // namespace rt

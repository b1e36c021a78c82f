// What the typed event hooks of an element receive where a message carries more than its code.
#pragma once

#include <windows.h>

#include "toolkit/core/element_messages.h"

namespace ui {

enum class MouseButton { kNone, kLeft, kRight };

// A mouse message as an element gets it: the button that went down or up (none for a move), the
// point in window client coordinates, and the message's wParam: the MK_ key flags, or 10086 on
// the press that a double click makes, or, while the element holds the capture, its own handle.
struct MouseEvent {
    MouseButton button = MouseButton::kNone;
    int x = 0;
    int y = 0;
    WPARAM keys = 0;

    bool IsDoubleClick() const { return keys == kDoubleClickMarker; }
};

}  // namespace ui

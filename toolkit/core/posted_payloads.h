// Data that travels by pointer inside a message to a host window (repaint rectangles, packed
// element messages). A posted message can outlive its window, and the system then drops it
// unread, so the payloads are kept here: the receiving host takes its payload out, and the
// window's teardown frees whatever nobody will take any more. A pointer that is not (or no
// longer) registered is never touched, even when a window handle is reused.
#pragma once

#include <windows.h>

#include <optional>

#include "toolkit/core/element_messages.h"
#include "toolkit/core/geometry.h"

namespace ui {

class PostedPayloads {
  public:
    static const RectF* NewRect(HWND window, const RectF& rect);
    static const PackedMessage* NewMessage(HWND window, const PackedMessage& message);
    // Removes the payload and returns its value; empty when it is not registered for `window`.
    static std::optional<RectF> TakeRect(HWND window, const void* payload);
    static std::optional<PackedMessage> TakeMessage(HWND window, const void* payload);
    // Frees a payload whose message could not be sent or posted.
    static void Discard(const void* payload);
    // Frees every payload addressed to `window`.
    static void DropWindow(HWND window);
    static std::size_t Pending();
};

}  // namespace ui

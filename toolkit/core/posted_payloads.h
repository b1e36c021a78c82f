// Data that travels inside a message to a host window (repaint rectangles, packed element
// messages). A posted message can outlive its window, and the system then drops it unread, so
// the payloads are kept here: the receiving host takes its payload out, and the window's
// teardown frees whatever nobody will take any more.
//
// A payload is named by a token that is never handed out twice while it is registered, not by
// its address: a sender that discards its own payload after the receiver took it (and another
// thread registered a new block at the freed address) can only ever discard what it registered.
//
// Portable: windows are numbers here, so the registry also builds (and is stress-tested) natively.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

#include "toolkit/core/geometry.h"

namespace ui {

// An element message packed for delivery through the window (0x2812), with the generation of the
// element it is for (which creation of the element at that address).
struct PackedMessage {
    std::uint32_t message = 0;
    std::uintptr_t wParam = 0;
    std::intptr_t lParam = 0;
    std::uintptr_t generation = 0;
};

// Travels as the message's lParam; 0 is never a token.
using PayloadToken = std::uintptr_t;
// The receiving window as a number (its handle).
using PayloadWindow = std::uintptr_t;

class PostedPayloads {
  public:
    static PayloadToken AddRect(PayloadWindow window, const RectF& rect);
    static PayloadToken AddMessage(PayloadWindow window, const PackedMessage& message);
    // Removes the payload and returns its value; empty when the token is not (or no longer)
    // registered for `window`, or holds the other kind.
    static std::optional<RectF> TakeRect(PayloadWindow window, PayloadToken token);
    static std::optional<PackedMessage> TakeMessage(PayloadWindow window, PayloadToken token);
    // Frees a payload of the caller's own whose message was not taken (a failed post, or a send
    // to a window that was gone). A token already taken is a no-op.
    static void Discard(PayloadToken token);
    // Frees every payload addressed to `window`.
    static void DropWindow(PayloadWindow window);
    static std::size_t Pending();
};

}  // namespace ui

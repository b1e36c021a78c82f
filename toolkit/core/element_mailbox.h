// Element messages from any thread. A message to an element travels through the element's window
// (0x2812: wParam the element, lParam the token of the packed message in PostedPayloads), so that
// it is handled on the window's thread. The packed message names the element's generation: the
// host delivers it only when that creation of the element still lives.
#pragma once

#include <windows.h>

#include <optional>

#include "toolkit/core/element_identity.h"
#include "toolkit/core/posted_payloads.h"

namespace ui {

class Element;

struct ElementAddress {
    HWND window = nullptr;
    const Element* element = nullptr;
    ElementGeneration generation = 0;
};

// Sends and waits for the element's answer; 0 when the window is gone.
LRESULT SendToElement(const ElementAddress& to, UINT message, WPARAM wParam, LPARAM lParam);
// Posts; returns whether the window took the message.
bool PostToElement(const ElementAddress& to, UINT message, WPARAM wParam, LPARAM lParam);
// The window's side: takes the packed message of `token` out of the registry.
std::optional<PackedMessage> TakeElementMessage(HWND window, LPARAM token);

}  // namespace ui

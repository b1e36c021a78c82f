// Which creation of an element a timer or a posted message is for. Element objects are owned by
// the application and may be destroyed and created again at the same address (the handle), so
// the address alone cannot tell a message queued for the earlier element from one for the new
// one. Every Create draws a new generation; the ids of the element's window timers and its posted
// messages carry it, and the host hands them only to the element of that generation.
#pragma once

#include <cstdint>

namespace ui {

using ElementGeneration = std::uintptr_t;

// A generation never used before in this process (0 is none: the element is not created).
ElementGeneration NextGeneration();

// The window timer ids of an element: its own timer (delivered to it as 275) and the timer of its
// fades. Both are odd, so they never equal a host's address (the id of its fade-in), and at least
// 0x10000, so small ids stay free for the window's owner.
enum class ElementTimer { kOwn, kFade };
constexpr std::uintptr_t ElementTimerId(ElementGeneration generation, ElementTimer timer) {
    return (generation << 2) | (timer == ElementTimer::kFade ? 3 : 1);
}
constexpr ElementGeneration GenerationOfTimer(std::uintptr_t id) {
    return (id & 1) ? id >> 2 : 0;
}
constexpr ElementTimer KindOfTimer(std::uintptr_t id) {
    return (id & 2) ? ElementTimer::kFade : ElementTimer::kOwn;
}

}  // namespace ui

#include "toolkit/core/element_identity.h"

#include <atomic>

namespace ui {

namespace {

// Timer ids below 0x10000 belong to the window's owner.
constexpr ElementGeneration kFirstGeneration = 0x4000;
// The largest generation whose timer ids still fit a pointer-sized id.
constexpr ElementGeneration kLastGeneration = UINTPTR_MAX >> 2;

}  // namespace

ElementGeneration NextGeneration() {
    // Windows on other threads create their elements there: hence atomic.
    static std::atomic<ElementGeneration> next{kFirstGeneration};
    ElementGeneration current = next.load();
    ElementGeneration following = 0;
    do {
        // After 2^30 creations in a 32-bit process the count starts again.
        following = current >= kLastGeneration ? kFirstGeneration : current + 1;
    } while (!next.compare_exchange_weak(current, following));
    return current;
}

}  // namespace ui

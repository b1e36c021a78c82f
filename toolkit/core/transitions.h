// The default drawing of an element's change of look while its fade runs: a cross-fade, or the
// old look sliding out while the new one slides in behind it.
#pragma once

#include "toolkit/core/element.h"

namespace ui {

// Draws `element` into `target` at frame `AnimationFrame()` of `AnimationFrames()`, from its
// snapshot (the old look) to its backing bitmap (the new one), clipped to its rectangle.
void DrawDefaultTransition(GpGraphics* target, const Element& element);

}  // namespace ui

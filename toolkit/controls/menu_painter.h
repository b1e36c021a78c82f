// The default look of a pop-up menu's window: a light rounded panel with a soft shadow, and the
// icon column tinted in the menu's accent colour.
#pragma once

#include <windows.h>

#include "toolkit/core/gdiplus_api.h"

namespace ui {

// The painter of menus that have none of their own. `accent` is the colour of the icon column
// (RGB in an ARGB value; its alpha is not used).
void PaintMenuBackground(GpGraphics* g, int width, int height, ARGB accent);

}  // namespace ui

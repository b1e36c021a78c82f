// The steps of a whole-window refresh that draw the window itself before its elements: the
// background (colour, image in its mode, nine-grid), the frame, the window's shape or soft
// outer shadow, and the clip region the elements are composed in.
#pragma once

#include <windows.h>

#include "toolkit/core/dib_surface.h"
#include "toolkit/core/host_settings.h"

namespace ui {

void PaintWindowBackground(DibSurface& back, const HostSettings& settings, GpImage* image);
// The two outlines just inside the content rectangle (not drawn for the nine-grid style).
void PaintWindowFrame(DibSurface& back, const HostSettings& settings);
// A plain window gets a rounded window region; a layered one the soft outer shadow.
void ApplyWindowShape(HWND window, DibSurface& back, const HostSettings& settings);
// The region every repaint is clipped to (none for the nine-grid style).
RegionPtr HostClipRegion(const HostSettings& settings, int width, int height);

}  // namespace ui

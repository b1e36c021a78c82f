// The animations that show and close a host window: a fade, a zoom or a slide of the window's
// last look, presented through UpdateLayeredWindow step by step while messages are pumped.
#pragma once

#include <windows.h>

#include "toolkit/core/compositor.h"
#include "toolkit/core/host_settings.h"

namespace ui {

// Adds WS_EX_LAYERED; returns whether the window was layered before.
bool MakeLayered(HWND window);
// Runs `steps` steps `stepMs` apart from the back buffer's current look. Stops early when the
// host lets go of the window meanwhile.
void RunWindowAnimation(HWND window, Compositor& compositor, AnimationKind kind, bool closing,
                        int steps, int stepMs);
// 20 steps for the zoom, 15 for the others.
int CloseAnimationSteps(AnimationKind kind);

}  // namespace ui

// The frames of a multi-frame (animated GIF) image and how long each is shown.
#pragma once

#include <vector>

#include "toolkit/core/gdiplus_api.h"

namespace ui {

// Frames along the time dimension; an image without that dimension has one.
int TimeFrameCount(GpImage* image);
// Makes frame `index` (0-based) the one that is drawn.
void SelectTimeFrame(GpImage* image, int index);
// The frame delays in hundredths of a second from the image's frame-delay property (type long
// or signed long); empty when the image has none.
std::vector<int> FrameDelays(GpImage* image);

}  // namespace ui

// An icon as a 32bppARGB GDI+ bitmap: icons with an alpha channel keep it, others take their
// transparency from the mask.
#pragma once

#include <windows.h>

#include "toolkit/core/gdiplus_api.h"

namespace ui {

ImagePtr BitmapFromIcon(HICON icon);

}  // namespace ui

// The wizard's colours: GDI+ ARGB values from a Win32 colour and an alpha.
#pragma once

#include <windows.h>

#include <optional>

#include "toolkit/core/shapes.h"

namespace wiz {

// `rgb` is a COLORREF (0x00BBGGRR); the result is 0xAARRGGBB. Opaque, whether given as 255 or
// not given, is alpha 254: the wizard's looks were made with that value (white 0xFEFFFFFF,
// black 0xFE000000). Any other alpha, 0 included, is kept.
constexpr ui::ARGB MakeArgb(COLORREF rgb, std::optional<int> alpha = std::nullopt) {
    int a = alpha.value_or(255);
    return ui::ArgbFromColorRef(rgb, a == 255 ? 254 : a);
}

}  // namespace wiz

// The wizard's images as the program carries them (resources/wizard/, made by make_art.sh).
#pragma once

#include <cstdint>
#include <vector>

namespace wiz {

using ImageBytes = std::vector<std::uint8_t>;

// 1175 x 600 JPEG, the window's background; the window shows its top left part.
ImageBytes BannerImage();
// 474 x 49 PNG, three frames of 158 x 49: normal, hover, pressed.
ImageBytes LogoStrip();
// 108 x 22 PNGs, four frames of 27 x 22: normal, hover, pressed, disabled.
ImageBytes CloseStrip();
ImageBytes MinimiseStrip();
ImageBytes MenuStrip();
ImageBytes ChatGroupStrip();
// 630 x 90 PNG, three frames of 210 x 90.
ImageBytes InstallStrip();
// 16 x 16 PNGs of the menu's items.
ImageBytes HelpIcon();
ImageBytes HomeIcon();
ImageBytes ForumIcon();
ImageBytes ExitIcon();

}  // namespace wiz

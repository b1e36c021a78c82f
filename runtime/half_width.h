// Full-width forms (code page 936) turned into their ASCII forms, so that numbers typed with a
// Chinese input method read like plain ones.
#pragma once

#include <string_view>

#include "runtime/value_types.h"

namespace rt {

// "／" becomes "/" and "＼" becomes "\", then the whole text is mapped to half width
// (LCMapStringA, locale 0x804, LCMAP_HALFWIDTH on Windows). Empty text gives null.
TextValue NormalizeHalfWidth(std::string_view text);

// The platform's half-width mapping of a whole text.
TextValue MapToHalfWidth(std::string_view text);

// The mapping of the GBK full-width row as a table: A3A1..A3FE become 0x21..0x7E and the
// ideographic space A1A1 a space. The native build's stand-in for the platform mapping.
TextValue MapGbkFullWidthToAscii(std::string_view text);

}  // namespace rt

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
// ideographic space A1A1 a space, except where the half-width form has no single-byte code: the
// yen sign A3A4 stays, and the overline A3FE becomes the GBK macron A1A5 (as the system maps
// them). The native build's stand-in for the platform mapping.
TextValue MapGbkFullWidthToAscii(std::string_view text);

}  // namespace rt

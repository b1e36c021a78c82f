// The path language of XML queries: segments separated by "/", the first naming the root (or
// "@1"), each further one a child by name or by position "@n" (1-based). A trailing "/" names
// the element reached so far.
#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

#include "runtime/xml_element.h"

namespace rt::xml {

// The number n of "@n" in `selector`: one or more decimal digits after "@", at least 1 and
// within 32 bits. Nothing for any other text.
std::optional<std::size_t> ParsePositionSelector(std::string_view selector);

// The element that the already escaped `path` names below `root`, or nullptr.
const XmlElement* ResolvePath(const XmlElement& root, std::string_view path);

}  // namespace rt::xml

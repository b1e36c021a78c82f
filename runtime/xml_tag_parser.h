// Turns one token of the tokenizer into an element: name, attributes, text content.
#pragma once

#include <string_view>
#include <vector>

#include "runtime/xml_element.h"

namespace rt::xml {

// Fills `element` from `token`; false when the tag is malformed. Children are not touched.
bool ParseTag(std::string_view token, XmlElement& element);

// Parses the attribute text of a tag (what lies between the name and ">" or "/>"), appending to
// `attributes`. A bare name reads as the value "1". False on a malformed or repeated name.
bool ParseAttributes(std::string_view text, std::vector<XmlAttribute>& attributes);

}  // namespace rt::xml

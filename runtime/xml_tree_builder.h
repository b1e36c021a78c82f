// Builds the element tree of a comment-free document from its tokens.
#pragma once

#include <memory>
#include <string_view>

#include "runtime/xml_element.h"

namespace rt::xml {

// The root of the tree, or nullptr when the document is malformed, has no element, or leaves an
// element open. Nesting is tracked on an explicit stack, so depth is limited only by memory.
std::unique_ptr<XmlElement> BuildTree(std::string_view text);

}  // namespace rt::xml

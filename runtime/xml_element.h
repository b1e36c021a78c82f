// The tree built by the XML reader. Names and values are kept in their escaped form, exactly as
// written in the document.
#pragma once

#include <memory>
#include <string_view>
#include <vector>

#include "runtime/value_types.h"

namespace rt {

struct XmlAttribute {
    TextValue name;
    TextValue value;
};

struct XmlElement {
    TextValue name;
    TextValue text;  // trimmed text content, or the content of its CDATA section
    std::vector<XmlAttribute> attributes;               // in file order, names unique
    std::vector<std::unique_ptr<XmlElement>> children;  // in file order
    bool selfClosing = false;
    bool hasCdata = false;

    XmlElement() = default;
    XmlElement(const XmlElement&) = delete;
    XmlElement& operator=(const XmlElement&) = delete;
    // Frees the subtree without recursion, so that any depth of nesting can be released.
    ~XmlElement();

    const XmlAttribute* FindAttribute(std::string_view attributeName) const;
    const XmlElement* FindChild(std::string_view childName) const;
};

}  // namespace rt

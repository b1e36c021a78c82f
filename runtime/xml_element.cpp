#include "runtime/xml_element.h"

#include <utility>

namespace rt {

XmlElement::~XmlElement() {
    std::vector<std::unique_ptr<XmlElement>> pending = std::move(children);
    while (!pending.empty()) {
        std::unique_ptr<XmlElement> node = std::move(pending.back());
        pending.pop_back();
        for (auto& child : node->children)
            pending.push_back(std::move(child));
        node->children.clear();
        // `node` now ends here with no children left to destroy.
    }
}

const XmlAttribute* XmlElement::FindAttribute(std::string_view attributeName) const {
    for (const XmlAttribute& attribute : attributes) {
        if (attribute.name == attributeName) return &attribute;
    }
    return nullptr;
}

const XmlElement* XmlElement::FindChild(std::string_view childName) const {
    for (const auto& child : children) {
        if (child->name == childName) return child.get();
    }
    return nullptr;
}

}  // namespace rt

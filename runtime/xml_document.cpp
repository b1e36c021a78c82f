#include "runtime/xml_document.h"

#include "runtime/files.h"
#include "runtime/xml_comments.h"
#include "runtime/xml_escape.h"
#include "runtime/xml_path.h"
#include "runtime/xml_tree_builder.h"

namespace rt {
namespace {

std::string_view AsText(const ByteSet& bytes) {
    return std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size());
}

}  // namespace

bool XmlDocument::Load(const TextValue& path) {
    if (path.empty()) return false;
    root_.reset();
    const OptionalBytes raw = ReadWholeFile(path);
    return raw && LoadText(AsText(*raw));
}

bool XmlDocument::Load(const ByteSet& bytes) {
    if (bytes.empty()) return false;
    root_.reset();
    return LoadText(AsText(bytes));
}

bool XmlDocument::LoadText(std::string_view raw) {
    const std::string text = xml::StripComments(raw);
    if (text.empty()) return false;
    root_ = xml::BuildTree(text);
    return root_ != nullptr;
}

const XmlElement* XmlDocument::Resolve(const TextValue& path) const {
    if (!root_ || path.empty()) return nullptr;
    return xml::ResolvePath(*root_, XmlEscape(path));
}

int XmlDocument::ChildCount(const TextValue& path, bool* found) const {
    if (found) *found = false;
    const XmlElement* element = Resolve(path);
    if (!element) return 0;
    if (found) *found = true;
    return static_cast<int>(element->children.size());
}

TextValue XmlDocument::GetAttribute(const TextValue& path, const TextValue& name,
                                    bool* found) const {
    if (found) *found = false;
    if (name.empty()) return {};
    const XmlElement* element = Resolve(path);
    if (!element) return {};
    const TextValue escapedName = XmlEscape(name);
    const XmlAttribute* attribute = nullptr;
    if (const auto position = xml::ParsePositionSelector(escapedName)) {
        if (*position <= element->attributes.size()) {
            attribute = &element->attributes[*position - 1];
        }
    } else {
        attribute = element->FindAttribute(escapedName);
    }
    if (!attribute) return {};
    if (found) *found = true;
    return XmlUnescape(attribute->value);
}

bool XmlDocument::Close() {
    if (!root_) return false;
    root_.reset();
    return true;
}

}  // namespace rt

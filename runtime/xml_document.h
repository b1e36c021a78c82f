// A small, tolerant XML reader with a path query language, used to read the updater's file list.
// A document is empty until a load succeeds and stays loaded until it is closed or loaded again.
// Texts are ANSI (code page 936 on the target) and handled byte-wise, double-byte aware.
#pragma once

#include <memory>

#include "runtime/value_types.h"
#include "runtime/xml_element.h"

namespace rt {

class XmlDocument {
  public:
    // Loads from a file (ANSI path) or from the document's bytes. An empty path or byte set
    // leaves the document as it was; otherwise the old tree is freed first, whatever the outcome.
    // True when a complete tree was built.
    bool Load(const TextValue& path);
    bool Load(const ByteSet& bytes);

    // Number of children of the element that `path` names; 0 when it does not resolve. `found`,
    // when given, tells whether the path resolved.
    int ChildCount(const TextValue& path, bool* found = nullptr) const;

    // The unescaped value of the attribute `name` (or "@n", the n-th attribute) of the element
    // that `path` names; empty when either does not resolve or the value is empty. `found` tells
    // whether both resolved.
    TextValue GetAttribute(const TextValue& path, const TextValue& name,
                           bool* found = nullptr) const;

    // Frees a loaded tree; false when nothing was loaded.
    bool Close();

    bool IsLoaded() const { return root_ != nullptr; }
    const XmlElement* Root() const { return root_.get(); }

  private:
    bool LoadText(std::string_view raw);
    const XmlElement* Resolve(const TextValue& path) const;

    std::unique_ptr<XmlElement> root_;
};

// The reader's operations under the names its callers know them by.
inline bool XmlLoad(XmlDocument& document, const TextValue& path) {
    return document.Load(path);
}
inline bool XmlLoad(XmlDocument& document, const ByteSet& bytes) {
    return document.Load(bytes);
}
inline int XmlChildCount(const XmlDocument& document, const TextValue& path,
                         bool* found = nullptr) {
    return document.ChildCount(path, found);
}
inline TextValue XmlGetAttribute(const XmlDocument& document, const TextValue& path,
                                 const TextValue& name, bool* found = nullptr) {
    return document.GetAttribute(path, name, found);
}
inline bool XmlClose(XmlDocument& document) {
    return document.Close();
}

}  // namespace rt

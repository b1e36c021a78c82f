// Loads arbitrary bytes as an XML document and queries what was built, checking that the
// answers agree with the tree: counts, found flags and unescaped attribute values. The last
// bytes of the input also serve as a free-form query path and attribute name.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "runtime/xml_document.h"
#include "runtime/xml_escape.h"

namespace {

void Check(bool condition) {
    if (!condition) std::abort();
}

// Queries one element by its position path and compares with the tree.
void CheckElement(const rt::XmlDocument& document, const std::string& path,
                  const rt::XmlElement& element) {
    bool found = false;
    Check(rt::XmlChildCount(document, path, &found) == static_cast<int>(element.children.size()));
    Check(found);
    Check(rt::XmlChildCount(document, path + "/", &found) ==
          static_cast<int>(element.children.size()));
    for (std::size_t i = 0; i < element.attributes.size() && i < 8; ++i) {
        const rt::TextValue value = rt::XmlUnescape(element.attributes[i].value);
        Check(rt::XmlGetAttribute(document, path, "@" + std::to_string(i + 1), &found) == value);
        Check(found);
    }
    rt::XmlGetAttribute(document, path, "@" + std::to_string(element.attributes.size() + 1),
                        &found);
    Check(!found);
}

// Breadth-first over the tree by position paths, with a bound on the number of queries.
void WalkTree(const rt::XmlDocument& document) {
    std::vector<std::pair<std::string, const rt::XmlElement*>> queue{{"@1", document.Root()}};
    for (std::size_t next = 0; next < queue.size() && next < 64; ++next) {
        const auto [path, element] = queue[next];
        CheckElement(document, path, *element);
        for (std::size_t i = 0; i < element->children.size() && queue.size() < 64; ++i) {
            queue.emplace_back(path + "/@" + std::to_string(i + 1), element->children[i].get());
        }
    }
}

void FreeFormQueries(const rt::XmlDocument& document, const std::string& tail) {
    const std::size_t split = tail.find('|');
    const std::string path = tail.substr(0, split);
    const std::string name = split == std::string::npos ? "@1" : tail.substr(split + 1);
    bool found = false;
    rt::XmlChildCount(document, path, &found);
    const rt::TextValue value = rt::XmlGetAttribute(document, path, name, &found);
    Check(found || value.empty());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    Check(rt::XmlUnescape(rt::XmlEscape(text)) == text);

    rt::XmlDocument document;
    const bool loaded = rt::XmlLoad(document, rt::ByteSet(data, data + size));
    Check(loaded == document.IsLoaded());
    const std::string tail = text.substr(text.size() > 48 ? text.size() - 48 : 0);
    FreeFormQueries(document, tail);
    if (loaded) WalkTree(document);
    Check(rt::XmlClose(document) == loaded);
    return 0;
}

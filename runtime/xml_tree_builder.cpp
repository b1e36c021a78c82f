#include "runtime/xml_tree_builder.h"

#include <string>
#include <vector>

#include "runtime/xml_tag_parser.h"
#include "runtime/xml_tokenizer.h"

namespace rt::xml {
namespace {

class TreeBuilder {
  public:
    // Takes one parsed tag; false when it closes no open element or the wrong one.
    bool Add(std::unique_ptr<XmlElement> element) {
        if (!element->name.empty() && element->name.front() == '/') {
            if (open_.empty() || std::string_view(element->name).substr(1) != open_.back()->name) {
                return false;
            }
            open_.pop_back();
            return true;
        }
        XmlElement* added = element.get();
        if (!open_.empty()) {
            open_.back()->children.push_back(std::move(element));
        } else if (!root_) {
            root_ = std::move(element);
        } else {
            // Further top-level elements are read for well-formedness but not kept: the first
            // one is the document's root.
            strays_.push_back(std::move(element));
        }
        if (!added->selfClosing) open_.push_back(added);
        return true;
    }

    std::unique_ptr<XmlElement> Finish() {
        if (!open_.empty()) return nullptr;
        return std::move(root_);
    }

  private:
    std::unique_ptr<XmlElement> root_;
    std::vector<std::unique_ptr<XmlElement>> strays_;
    std::vector<XmlElement*> open_;  // innermost last
};

}  // namespace

std::unique_ptr<XmlElement> BuildTree(std::string_view text) {
    Tokenizer tokenizer(text);
    TreeBuilder builder;
    std::string token;
    for (;;) {
        const TokenResult result = tokenizer.Next(token);
        if (result == TokenResult::kEnd) break;
        if (result == TokenResult::kError) return nullptr;
        auto element = std::make_unique<XmlElement>();
        if (!ParseTag(token, *element) || !builder.Add(std::move(element))) return nullptr;
    }
    return builder.Finish();
}

}  // namespace rt::xml

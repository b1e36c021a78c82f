#include "runtime/xml_tag_parser.h"

#include <algorithm>
#include <string>
#include <unordered_set>
#include <vector>

#include "runtime/xml_bytes.h"

namespace rt::xml {
namespace {

// Offset of the first byte, outside double quotes, that ends a name (a space when `stopAtSpace`,
// ">" or the "/" of "/>"), starting at `pos`; npos when there is none.
std::size_t FindTagStop(std::string_view token, std::size_t pos, bool stopAtSpace) {
    bool quoted = false;
    for (; pos < token.size(); pos += CharLength(token, pos)) {
        const char c = token[pos];
        if (IsLeadByte(c)) continue;
        if (c == '"') {
            quoted = !quoted;
        } else if (!quoted && ((stopAtSpace && c == ' ') || c == '>' ||
                               (c == '/' && pos + 1 < token.size() && token[pos + 1] == '>'))) {
            return pos;
        }
    }
    return std::string_view::npos;
}

std::string_view TrimWhiteSpace(std::string_view text) {
    while (!text.empty() && IsXmlWhiteSpace(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsXmlWhiteSpace(text.back()))
        text.remove_suffix(1);
    return text;
}

// The text content after a tag's ">": trimmed plain text, or the content of a CDATA section, in
// which case plain text around it is dropped. Ends at the "<" of the next tag.
void ParseTextContent(std::string_view content, XmlElement& element) {
    std::string plain;
    for (std::size_t pos = 0; pos < content.size();) {
        const std::size_t length = CharLength(content, pos);
        if (length == 1 && content[pos] == '<') {
            if (content.substr(pos, kCdataOpen.size()) != kCdataOpen) break;
            const std::size_t start = pos + kCdataOpen.size();
            std::size_t close = FindOnCharBoundary(content, kCdataClose, start);
            if (close == std::string_view::npos) close = content.size();
            element.text.assign(content.substr(start, close - start));
            element.hasCdata = true;
            pos = std::min(content.size(), close + kCdataClose.size());
            continue;
        }
        if (!element.hasCdata) plain.append(content.substr(pos, length));
        pos += length;
    }
    if (!element.hasCdata) element.text.assign(TrimWhiteSpace(plain));
}

class AttributeParser {
  public:
    // Names already in `out` count as taken; they are copied, as `out` moves its texts around
    // while it grows.
    AttributeParser(std::string_view text, std::vector<XmlAttribute>& out)
        : text_(text), out_(out) {
        for (const XmlAttribute& attribute : out)
            earlierNames_.push_back(attribute.name);
        names_.insert(earlierNames_.begin(), earlierNames_.end());
    }

    bool Run() {
        for (;;) {
            SkipSpaces();
            if (AtEnd()) return true;
            if (!ParseOne()) return false;
        }
    }

  private:
    bool ParseOne() {
        const std::string_view name = ReadRun(" =\"");
        if (name.empty()) return false;  // "=" or a quote where a name should start
        if (!AtEnd() && text_[pos_] == '"') {
            ++pos_;
            return Add(name, "1");
        }
        SkipSpaces();
        if (AtEnd() || text_[pos_] != '=') return Add(name, "1");
        ++pos_;
        SkipSpaces();
        if (!AtEnd() && text_[pos_] == '"') {
            ++pos_;
            const std::string_view value = ReadRun("\"");
            if (!AtEnd()) ++pos_;  // the closing quote; an open value runs to the end
            return Add(name, value);
        }
        const std::string_view value = ReadRun(" =\"");
        if (!AtEnd() && text_[pos_] != ' ') {
            if (value.empty()) return false;  // a second "=" right after the first
            ++pos_;
        }
        return Add(name, value);
    }

    // Reads characters up to one of `stops` (single bytes) or the end.
    std::string_view ReadRun(std::string_view stops) {
        const std::size_t start = pos_;
        while (!AtEnd() && (IsLeadByte(text_[pos_]) || stops.find(text_[pos_]) == stops.npos)) {
            pos_ += CharLength(text_, pos_);
        }
        return text_.substr(start, pos_ - start);
    }

    // A name seen before fails the tag. The names are views of the attribute text, so the
    // check costs the same for the millionth attribute as for the first.
    bool Add(std::string_view name, std::string_view value) {
        if (!names_.insert(name).second) return false;
        out_.push_back({TextValue(name), TextValue(value)});
        return true;
    }

    void SkipSpaces() {
        while (!AtEnd() && text_[pos_] == ' ')
            ++pos_;
    }
    bool AtEnd() const { return pos_ >= text_.size(); }

    std::string_view text_;
    std::vector<XmlAttribute>& out_;
    std::vector<std::string> earlierNames_;
    std::unordered_set<std::string_view> names_;
    std::size_t pos_ = 0;
};

}  // namespace

bool ParseAttributes(std::string_view text, std::vector<XmlAttribute>& attributes) {
    return AttributeParser(text, attributes).Run();
}

bool ParseTag(std::string_view token, XmlElement& element) {
    const std::size_t open = FindOnCharBoundary(token, "<", 0);
    if (open == std::string_view::npos) return false;
    const std::size_t nameEnd = FindTagStop(token, open + 1, true);
    if (nameEnd == std::string_view::npos) return false;
    element.name.assign(token.substr(open + 1, nameEnd - open - 1));
    std::size_t tagEnd = nameEnd;
    std::string_view attributeText;
    if (token[nameEnd] == ' ') {
        if (element.name.empty()) return false;
        tagEnd = FindTagStop(token, nameEnd + 1, false);
        if (tagEnd == std::string_view::npos) return false;
        attributeText = token.substr(nameEnd + 1, tagEnd - nameEnd - 1);
    }
    element.selfClosing = token[tagEnd] == '/';
    if (!element.selfClosing) ParseTextContent(token.substr(tagEnd + 1), element);
    return ParseAttributes(attributeText, element.attributes);
}

}  // namespace rt::xml

#include "runtime/xml_escape.h"

#include "runtime/xml_bytes.h"

namespace rt {
namespace {

const char* EntityFor(char c) {
    switch (c) {
        case '"':
            return "&quot;";
        case '&':
            return "&amp;";
        case '\'':
            return "&apos;";
        case '<':
            return "&lt;";
        case '>':
            return "&gt;";
        default:
            return nullptr;
    }
}

// The character an entity (ampersand to semicolon) stands for, or 0 for one we do not decode.
char DecodeEntity(std::string_view entity) {
    if (entity == "&lt;") return '<';
    if (entity == "&gt;") return '>';
    if (entity == "&amp;") return '&';
    if (entity == "&apos;") return '\'';
    if (entity == "&quot;" || entity == "&quote;") return '"';
    return 0;
}

}  // namespace

TextValue XmlEscape(std::string_view text) {
    TextValue out;
    out.reserve(text.size());
    for (std::size_t pos = 0; pos < text.size();) {
        const std::size_t length = xml::CharLength(text, pos);
        const char* entity = length == 1 ? EntityFor(text[pos]) : nullptr;
        if (entity) {
            out += entity;
        } else {
            out.append(text.substr(pos, length));
        }
        pos += length;
    }
    return out;
}

TextValue XmlUnescape(std::string_view text) {
    TextValue out;
    out.reserve(text.size());
    std::string pending;  // an entity begun at an ampersand, not yet closed
    for (std::size_t pos = 0; pos < text.size();) {
        const std::size_t length = xml::CharLength(text, pos);
        const char c = text[pos];
        if (length == 2 || xml::IsLeadByte(c)) {
            out += pending;
            pending.clear();
            out.append(text.substr(pos, length));
        } else if (c == '&') {
            out += pending;
            pending.assign(1, '&');
        } else if (!pending.empty()) {
            pending += c;
            if (c == ';') {
                const char decoded = DecodeEntity(pending);
                if (decoded) {
                    out += decoded;
                } else {
                    out += pending;
                }
                pending.clear();
            }
        } else {
            out += c;
        }
        pos += length;
    }
    out += pending;
    return out;
}

}  // namespace rt

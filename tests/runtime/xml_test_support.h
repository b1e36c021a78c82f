// Shared helpers of the XML reader tests.
#pragma once

#include <string_view>

#include "runtime/value_types.h"
#include "runtime/xml_document.h"

namespace xmltest {

inline rt::ByteSet Bytes(std::string_view text) {
    return rt::ByteSet(text.begin(), text.end());
}

inline bool LoadText(rt::XmlDocument& document, std::string_view text) {
    return document.Load(Bytes(text));
}

}  // namespace xmltest

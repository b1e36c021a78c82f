// Entity escaping of queries and unescaping of returned values. Names and values are kept in the
// tree exactly as written in the file, so a query is brought into the same escaped form before
// it is compared, and a value is unescaped on its way out.
#pragma once

#include <string_view>

#include "runtime/value_types.h"

namespace rt {

// Replaces '"', '&', '\'', '<' and '>' by their entities; every other byte and every double-byte
// character is copied unchanged.
TextValue XmlEscape(std::string_view text);

// Decodes the five named entities (and "&quote;", an old spelling of "&quot;"); any other entity,
// numeric references included, and an entity left open are copied unchanged.
TextValue XmlUnescape(std::string_view text);

}  // namespace rt

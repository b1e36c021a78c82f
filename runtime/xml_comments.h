// Removing a document's comments before it is tokenized.
#pragma once

#include <string>
#include <string_view>

namespace rt::xml {

// Removes every comment, from "<!--" through the next "-->". Double-byte characters are copied as
// pairs, so a trail byte never opens or closes a comment; a comment left open runs to the end.
std::string StripComments(std::string_view raw);

}  // namespace rt::xml

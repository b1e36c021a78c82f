// How a function bound by name is asked for, and the messages shown when it cannot be found.
// Portable, so the rules are unit-tested natively.
#pragma once

#include <string>

namespace rt {

struct DllFunctionName {
    bool byOrdinal = false;
    int ordinal = 0;   // when byOrdinal: the decimal number after "#"
    std::string name;  // otherwise: the name to look up
};

// "#12" is ordinal 12. A name whose first "@" is immediately followed by another "@" is looked
// up as the part before it; any other name unchanged (at most 1023 bytes are kept).
DllFunctionName ParseDllFunctionName(const char* function);

std::string MissingLibraryMessage(const char* library);
std::string MissingFunctionMessage(const char* library, const char* function);

}  // namespace rt

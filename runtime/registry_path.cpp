#include "runtime/registry_path.h"

namespace rt {

namespace {

// A byte above 0x80 starts a double-byte character in code page 936.
bool IsLeadByte(char c) {
    return static_cast<unsigned char>(c) > 0x80;
}

}  // namespace

RegistryPathParts SplitRegistryPath(const TextValue& path) {
    std::size_t lastSeparator = TextValue::npos;
    for (std::size_t i = 0; i < path.size(); ++i) {
        if (IsLeadByte(path[i])) {
            ++i;
        } else if (path[i] == '\\') {
            lastSeparator = i;
        }
    }
    if (lastSeparator == TextValue::npos) return {path, {}};
    return {path.substr(0, lastSeparator), path.substr(lastSeparator + 1)};
}

}  // namespace rt

#include "runtime/native_path.h"

#include "runtime/dbcs.h"

namespace rt {

// Drive Z: is the host's root, as Wine shows it: "Z:\tmp\x" is "/tmp/x".
std::string NativePath(const TextValue& path) {
    const bool hostDrive = path.size() >= 3 && (path[0] == 'Z' || path[0] == 'z') &&
                           path[1] == ':' && (path[2] == '\\' || path[2] == '/');
    std::string native = path;
    for (std::size_t i = 0; i < path.size(); i += CharWidthAt(path, i)) {
        if (path[i] == '\\') native[i] = '/';
    }
    return hostDrive ? native.substr(2) : native;
}

}  // namespace rt

#include "runtime/native_path.h"

#include "runtime/dbcs.h"

namespace rt {

std::string NativePath(const TextValue& path) {
    std::string native = path;
    for (std::size_t i = 0; i < path.size(); i += CharWidthAt(path, i)) {
        if (path[i] == '\\') native[i] = '/';
    }
    return native;
}

}  // namespace rt

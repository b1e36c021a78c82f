#include <cerrno>
#include <cstring>
#include <string>

#include "runtime/system_error.h"

namespace rt {

SystemError LastSystemError() {
    const int code = errno;
    SystemError error;
    error.code = code;
    error.notFound = code == ENOENT || code == ENOTDIR;
    error.description = std::strerror(code);
    error.text = "error " + std::to_string(code) + ": " + error.description;
    errno = code;
    return error;
}

}  // namespace rt

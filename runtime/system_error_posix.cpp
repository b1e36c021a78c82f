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
    error.text = "error " + std::to_string(code) + ": " + std::strerror(code);
    errno = code;
    return error;
}

}  // namespace rt

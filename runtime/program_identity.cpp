#include "runtime/program_identity.h"

#include "runtime/dbcs.h"

namespace rt {

TextValue FileNameOfPath(std::string_view path, char separator) {
    const std::size_t last = FindLastCharOf(path, std::string_view(&separator, 1));
    return TextValue(last == std::string_view::npos ? path : path.substr(last + 1));
}

TextValue DirectoryOfPath(std::string_view path, char separator) {
    const std::size_t last = FindLastCharOf(path, std::string_view(&separator, 1));
    return TextValue(last == std::string_view::npos ? path : path.substr(0, last));
}

}  // namespace rt

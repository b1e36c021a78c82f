#include "installer/uninstall_listed_name.h"

#include <string>
#include <vector>

#include "runtime/dbcs.h"
#include "runtime/files.h"

namespace inst {
namespace {

bool IsSeparator(char c) {
    return c == '\\' || c == '/';
}

bool IsOnlyDotsAndSpaces(const std::string& part) {
    return !part.empty() && part.find_first_not_of(". ") == std::string::npos;
}

}  // namespace

bool IsNameInsideInstallDirectory(std::string_view name) {
    if (name.empty() || IsSeparator(name.front())) return false;
    std::string part;
    for (std::size_t i = 0; i <= name.size();) {
        if (i == name.size() || IsSeparator(name[i])) {
            if (IsOnlyDotsAndSpaces(part)) return false;
            part.clear();
            ++i;
            continue;
        }
        const std::size_t width = rt::CharWidthAt(name, i);
        if (width == 1 && name[i] == ':') return false;
        part.append(name.substr(i, width));
        i += width;
    }
    return true;
}

bool PassesThroughLink(const rt::TextValue& base, std::string_view name) {
    for (std::size_t i = 0; i <= name.size();) {
        if (i == name.size() || IsSeparator(name[i])) {
            if (rt::IsLink(base + std::string(name.substr(0, i)))) return true;
            ++i;
            continue;
        }
        i += rt::CharWidthAt(name, i);
    }
    return false;
}

}  // namespace inst

#include <windows.h>
// After windows.h, which it builds on.
#include <shlobj.h>

#include "installer/install_special_folder.h"

namespace inst {

rt::TextValue SpecialFolderPath(int csidl) {
    LPITEMIDLIST location = nullptr;
    if (FAILED(SHGetSpecialFolderLocation(nullptr, csidl, &location)) || location == nullptr) {
        return {};
    }
    char buffer[MAX_PATH] = {};
    if (!SHGetPathFromIDListA(location, buffer)) buffer[0] = '\0';
    CoTaskMemFree(location);
    return buffer;
}

}  // namespace inst

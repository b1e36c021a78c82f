#include <windows.h>
// After windows.h, which it builds on.
#include <shlobj.h>

#include "installer/install_special_folder.h"
#include "runtime/dll_calls_win32.h"

namespace inst {

rt::TextValue SpecialFolderPath(int csidl) {
    LPITEMIDLIST location = nullptr;
    if (FAILED(rt::dll::SHGetSpecialFolderLocation(nullptr, csidl, &location)) ||
        location == nullptr) {
        return {};
    }
    char buffer[MAX_PATH] = {};
    if (!rt::dll::SHGetPathFromIDListA(location, buffer)) buffer[0] = '\0';
    rt::dll::CoTaskMemFree(location);
    return buffer;
}

}  // namespace inst

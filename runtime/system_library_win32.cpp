#include "runtime/system_library_win32.h"

#include <string>

namespace rt {
namespace {

using SetDefaultDllDirectoriesFn = BOOL WINAPI(DWORD flags);

// Looked up rather than imported: systems without KB2533623 lack it, and an import would stop
// the program from starting there.
SetDefaultDllDirectoriesFn* SetDefaultDllDirectoriesFunction() {
    HMODULE kernel = GetModuleHandleA("kernel32.dll");
    if (kernel == nullptr) return nullptr;
    return reinterpret_cast<SetDefaultDllDirectoriesFn*>(
        reinterpret_cast<void*>(GetProcAddress(kernel, "SetDefaultDllDirectories")));
}

// The same update brings the search flags of LoadLibraryEx.
bool HasSearchFlags() {
    static const bool has = SetDefaultDllDirectoriesFunction() != nullptr;
    return has;
}

// Libraries that the system's own libraries load by bare name on the program's behalf, after it
// has started: the window theme and the desktop composition, the shell's property system, the
// imaging codecs GDI+ decodes with, and what user profiles, the application compatibility layer,
// accessibility, version resources and the cryptography base load. Loaded from the system folder
// first, a later load by name finds them in memory, whatever folders that load searches: on a
// system without the search limit the program's folder comes first, and Wine's delayed imports
// ignore the limit.
constexpr const char* kPreloaded[] = {
    "uxtheme.dll", "dwmapi.dll",  "propsys.dll", "windowscodecs.dll", "userenv.dll",
    "profapi.dll", "apphelp.dll", "oleacc.dll",  "version.dll",       "cryptbase.dll"};

std::string SystemFolder() {
    char folder[MAX_PATH] = {};
    const UINT length = GetSystemDirectoryA(folder, MAX_PATH);
    return length == 0 || length >= MAX_PATH ? std::string() : std::string(folder, length);
}

}  // namespace

void RestrictLibrarySearch() {
    if (SetDefaultDllDirectoriesFn* limit = SetDefaultDllDirectoriesFunction())
        limit(LOAD_LIBRARY_SEARCH_SYSTEM32);
    SetDllDirectoryA("");
    // Held until the process ends; a library this system lacks is simply not there.
    for (const char* library : kPreloaded)
        LoadSystemLibrary(library);
}

// With the search flag the name still goes through the system's side-by-side redirection (the
// manifest's common controls); a full path is the way where the flag is missing.
HMODULE LoadSystemLibrary(const char* name) {
    if (HasSearchFlags()) return LoadLibraryExA(name, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    const std::string folder = SystemFolder();
    if (folder.empty()) return nullptr;
    return LoadLibraryA((folder + "\\" + name).c_str());
}

}  // namespace rt

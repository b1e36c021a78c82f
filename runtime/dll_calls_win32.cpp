#include "runtime/dll_calls_win32.h"

#include <vector>

#include "runtime/dll_function_name.h"
#include "runtime/program_end.h"
#include "runtime/system_library_win32.h"
#include "runtime/system_message_box.h"

namespace rt {
namespace {

std::vector<HMODULE>& LoadedLibraries() {
    static std::vector<HMODULE> libraries;
    return libraries;
}

std::atomic<int> g_resolutions{0};

void ReleaseLoadedLibraries() {
    for (HMODULE module : LoadedLibraries())
        FreeLibrary(module);
    LoadedLibraries().clear();
}

[[noreturn]] void FailResolution(const std::string& message) {
    // Through the runtime's box, so that a run without a desktop can take its place.
    SystemMessageBox(message, "DLL ERROR", kBoxIconError);
    EndProgramAfterFault();
}

// A library the process does not hold yet comes from the system folder only, never from the
// program's own folder, where anyone may have put a file of that name.
HMODULE ModuleFor(const char* library) {
    if (HMODULE held = GetModuleHandleA(library)) return held;
    HMODULE loaded = LoadSystemLibrary(library);
    if (loaded == nullptr) FailResolution(MissingLibraryMessage(library));
    LoadedLibraries().push_back(loaded);
    if (LoadedLibraries().size() == 1) SetLibraryRelease(&ReleaseLoadedLibraries);
    return loaded;
}

}  // namespace

void* ResolveDllFunction(const char* library, const char* function) {
    HMODULE module = ModuleFor(library);
    const DllFunctionName name = ParseDllFunctionName(function);
    ++g_resolutions;
    FARPROC address =
        name.byOrdinal ? GetProcAddress(module, MAKEINTRESOURCEA(static_cast<WORD>(name.ordinal)))
                       : GetProcAddress(module, name.name.c_str());
    if (address == nullptr) FailResolution(MissingFunctionMessage(library, function));
    return reinterpret_cast<void*>(address);
}

int DllResolutionCount() {
    return g_resolutions.load();
}

std::size_t LoadedLibraryCount() {
    return LoadedLibraries().size();
}

}  // namespace rt

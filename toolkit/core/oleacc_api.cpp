#include "toolkit/core/oleacc_api.h"

#include "runtime/system_library_win32.h"

namespace ui::acc {
namespace {

// Loads `library` from the system folder once, then finds `function` in it (or 0).
template <typename Fn>
Fn* SystemFunction(const char* library, const char* function) {
    HMODULE module = rt::LoadSystemLibrary(library);
    if (!module) return nullptr;
    return reinterpret_cast<Fn*>(reinterpret_cast<void*>(GetProcAddress(module, function)));
}

}  // namespace

LRESULT ResultFromObject(REFIID riid, WPARAM wParam, IUnknown* object) {
    static auto* const function =
        SystemFunction<decltype(::LresultFromObject)>("oleacc.dll", "LresultFromObject");
    return function ? function(riid, wParam, object) : 0;
}

HRESULT ObjectFromWindow(HWND window, DWORD objectId, REFIID riid, void** object) {
    static auto* const function = SystemFunction<decltype(::AccessibleObjectFromWindow)>(
        "oleacc.dll", "AccessibleObjectFromWindow");
    *object = nullptr;
    return function ? function(window, objectId, riid, object) : E_FAIL;
}

BSTR AllocString(std::wstring_view text) {
    static auto* const function =
        SystemFunction<decltype(::SysAllocStringLen)>("oleaut32.dll", "SysAllocStringLen");
    return function ? function(text.data(), static_cast<UINT>(text.size())) : nullptr;
}

}  // namespace ui::acc

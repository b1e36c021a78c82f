// System functions that the program binds by library and function name at their first call,
// so that it starts even where a library or function is missing and fails with a clear message
// only when such a function is really needed.
//
// Each function has a call slot: rt::dll::FindWindowA(...) takes the same arguments as the
// Win32 function. The first call resolves the address and stores it in the slot; later calls go
// straight to the function. A missing library or function shows "DLL ERROR" and ends the
// program with exit code 0.
#pragma once

#include <windows.h>
#include <objidl.h>
#include <winternl.h>
#include <dwmapi.h>
#include <gdiplus.h>
#include <imm.h>
#include <shellapi.h>
#include <shlobj.h>

#include <atomic>
#include <cstddef>
#include <utility>

// winnt.h maps RtlMoveMemory to memmove; here it names kernel32's exported function.
#undef RtlMoveMemory

namespace rt {

// Resolves `function` in `library` (loading the library when the process does not hold it yet).
// "#12" asks for ordinal 12; a name whose first "@" is followed by another "@" is looked up as
// the part before it. Never returns on failure.
void* ResolveDllFunction(const char* library, const char* function);

// How many times the resolver asked the system for a function address (for tests).
int DllResolutionCount();

// Libraries the resolver had to load, in load order; released by EndProgram.
std::size_t LoadedLibraryCount();

template <typename Fn>
class DllCallSlot {
public:
    constexpr DllCallSlot(const char* library, const char* function)
        : library_(library), function_(function) {}
    DllCallSlot(const DllCallSlot&) = delete;
    DllCallSlot& operator=(const DllCallSlot&) = delete;

    template <typename... Args>
    decltype(auto) operator()(Args&&... args) {
        return Address()(std::forward<Args>(args)...);
    }

    // Two threads resolving at once both store the same address, so no lock is needed.
    Fn* Address() {
        Fn* address = address_.load(std::memory_order_acquire);
        if (address == nullptr) {
            address = reinterpret_cast<Fn*>(ResolveDllFunction(library_, function_));
            address_.store(address, std::memory_order_release);
        }
        return address;
    }

    bool IsResolved() const { return address_.load(std::memory_order_acquire) != nullptr; }
    const char* Library() const { return library_; }
    const char* Function() const { return function_; }

private:
    const char* library_;
    const char* function_;
    std::atomic<Fn*> address_{nullptr};
};

namespace dll {

using RtlMoveMemoryFn = VOID WINAPI(PVOID destination, const VOID* source, SIZE_T length);
using WinStationTerminateProcessFn = BOOLEAN WINAPI(HANDLE server, ULONG processId,
                                                    ULONG exitCode);
using RtlComputeCrc32Fn = DWORD WINAPI(DWORD initial, const BYTE* data, INT length);

namespace gdip = Gdiplus::DllExports;

// clang-format off
inline DllCallSlot<decltype(::FindWindowA)> FindWindowA{"user32", "FindWindowA"};
inline DllCallSlot<decltype(::NtQuerySystemInformation)> NtQuerySystemInformation{"ntdll.dll", "NtQuerySystemInformation"};
inline DllCallSlot<decltype(::LocalAlloc)> LocalAlloc{"kernel32", "LocalAlloc"};
inline DllCallSlot<RtlMoveMemoryFn> RtlMoveMemory{"kernel32", "RtlMoveMemory"};
inline DllCallSlot<decltype(::LocalFree)> LocalFree{"kernel32", "LocalFree"};
inline DllCallSlot<decltype(::GetExitCodeProcess)> GetExitCodeProcess{"kernel32", "GetExitCodeProcess"};
inline DllCallSlot<WinStationTerminateProcessFn> WinStationTerminateProcess{"WINSTA.dll", "WinStationTerminateProcess"};
inline DllCallSlot<decltype(::BringWindowToTop)> BringWindowToTop{"user32", "BringWindowToTop"};
inline DllCallSlot<decltype(::SetForegroundWindow)> SetForegroundWindow{"user32", "SetForegroundWindow"};
inline DllCallSlot<decltype(::SendMessageA)> SendMessageA{"user32", "SendMessageA"};
inline DllCallSlot<decltype(::PostMessageA)> PostMessageA{"user32", "PostMessageA"};
inline DllCallSlot<decltype(gdip::GdipGetFamily)> GdipGetFamily{"gdiplus", "GdipGetFamily"};
inline DllCallSlot<decltype(::GdiAlphaBlend)> GdiAlphaBlend{"gdi32.dll", "GdiAlphaBlend"};
inline DllCallSlot<decltype(gdip::GdipDrawLine)> GdipDrawLine{"gdiplus", "GdipDrawLine"};
inline DllCallSlot<decltype(gdip::GdipCreatePen1)> GdipCreatePen1{"gdiplus", "GdipCreatePen1"};
inline DllCallSlot<decltype(gdip::GdipSetPathGradientCenterColor)> GdipSetPathGradientCenterColor{"gdiplus", "GdipSetPathGradientCenterColor"};
inline DllCallSlot<decltype(gdip::GdipSetPathGradientSurroundColorsWithCount)> GdipSetPathGradientSurroundColorsWithCount{"gdiplus", "GdipSetPathGradientSurroundColorsWithCount"};
inline DllCallSlot<decltype(gdip::GdipAddPathEllipse)> GdipAddPathEllipse{"gdiplus", "GdipAddPathEllipse"};
inline DllCallSlot<decltype(::DwmIsCompositionEnabled)> DwmIsCompositionEnabled{"dwmapi.dll", "DwmIsCompositionEnabled"};
inline DllCallSlot<decltype(::DwmEnableBlurBehindWindow)> DwmEnableBlurBehindWindow{"dwmapi.dll", "DwmEnableBlurBehindWindow"};
inline DllCallSlot<decltype(gdip::GdipDrawImage)> GdipDrawImage{"gdiplus", "GdipDrawImage"};
inline DllCallSlot<decltype(::MapViewOfFile)> MapViewOfFile{"kernel32", "MapViewOfFile"};
inline DllCallSlot<decltype(::UnmapViewOfFile)> UnmapViewOfFile{"kernel32", "UnmapViewOfFile"};
inline DllCallSlot<decltype(::DeleteFileA)> DeleteFileA{"kernel32", "DeleteFileA"};
inline DllCallSlot<decltype(::MoveFileA)> MoveFileA{"kernel32", "MoveFileA"};
inline DllCallSlot<RtlComputeCrc32Fn> RtlComputeCrc32{"ntdll.dll", "RtlComputeCrc32"};
inline DllCallSlot<decltype(::CreateDirectoryA)> CreateDirectoryA{"kernel32", "CreateDirectoryA"};
inline DllCallSlot<decltype(::GetFileAttributesA)> GetFileAttributesA{"kernel32", "GetFileAttributesA"};
inline DllCallSlot<decltype(::GetWindowRect)> GetWindowRect{"user32", "GetWindowRect"};
inline DllCallSlot<decltype(::SetWindowPos)> SetWindowPos{"user32", "SetWindowPos"};
inline DllCallSlot<decltype(gdip::GdipSetStringFormatTabStops)> GdipSetStringFormatTabStops{"gdiplus", "GdipSetStringFormatTabStops"};
inline DllCallSlot<decltype(::WindowFromPoint)> WindowFromPoint{"user32", "WindowFromPoint"};
// COM, the shell and the input method: not needed before the wizard's first frame, so bound at
// first use rather than loaded with the program (the import table names kernel32, user32, gdi32,
// advapi32 and msvcrt only).
inline DllCallSlot<decltype(::CoInitialize)> CoInitialize{"ole32.dll", "CoInitialize"};
inline DllCallSlot<decltype(::CoUninitialize)> CoUninitialize{"ole32.dll", "CoUninitialize"};
inline DllCallSlot<decltype(::CoCreateInstance)> CoCreateInstance{"ole32.dll", "CoCreateInstance"};
inline DllCallSlot<decltype(::CoDisconnectObject)> CoDisconnectObject{"ole32.dll", "CoDisconnectObject"};
inline DllCallSlot<decltype(::CoTaskMemFree)> CoTaskMemFree{"ole32.dll", "CoTaskMemFree"};
inline DllCallSlot<decltype(::CreateStreamOnHGlobal)> CreateStreamOnHGlobal{"ole32.dll", "CreateStreamOnHGlobal"};
inline DllCallSlot<decltype(::SHBrowseForFolderA)> SHBrowseForFolderA{"shell32.dll", "SHBrowseForFolderA"};
inline DllCallSlot<decltype(::SHGetFolderLocation)> SHGetFolderLocation{"shell32.dll", "SHGetFolderLocation"};
inline DllCallSlot<decltype(::SHGetPathFromIDListA)> SHGetPathFromIDListA{"shell32.dll", "SHGetPathFromIDListA"};
inline DllCallSlot<decltype(::SHGetSpecialFolderLocation)> SHGetSpecialFolderLocation{"shell32.dll", "SHGetSpecialFolderLocation"};
inline DllCallSlot<decltype(::ShellExecuteA)> ShellExecuteA{"shell32.dll", "ShellExecuteA"};
inline DllCallSlot<decltype(::ImmAssociateContext)> ImmAssociateContext{"imm32.dll", "ImmAssociateContext"};
inline DllCallSlot<decltype(::ImmGetCompositionStringA)> ImmGetCompositionStringA{"imm32.dll", "ImmGetCompositionStringA"};
inline DllCallSlot<decltype(::ImmGetContext)> ImmGetContext{"imm32.dll", "ImmGetContext"};
inline DllCallSlot<decltype(::ImmReleaseContext)> ImmReleaseContext{"imm32.dll", "ImmReleaseContext"};
// clang-format on

}  // namespace dll
}  // namespace rt

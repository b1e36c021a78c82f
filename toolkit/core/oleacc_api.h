// The few functions of the accessibility library (oleacc) and of OLE Automation (oleaut32) that
// the accessible objects use. Neither is a library the system always takes from its own folder,
// so neither is imported: both are loaded from the system folder when a screen reader first
// asks a window for its object. Unlike the other call slots a missing library is no fault of
// the program: the window then simply answers as a plain window does.
#pragma once

#include <windows.h>
// After windows.h, which they build on.
#include <oleacc.h>

#include <string_view>

namespace ui::acc {

// LresultFromObject: 0 when the library is not there.
LRESULT ResultFromObject(REFIID riid, WPARAM wParam, IUnknown* object);
// AccessibleObjectFromWindow: E_FAIL when the library is not there.
HRESULT ObjectFromWindow(HWND window, DWORD objectId, REFIID riid, void** object);
// SysAllocStringLen: 0 when the library is not there or memory is short.
BSTR AllocString(std::wstring_view text);

}  // namespace ui::acc

#include "wizard/open_url.h"

#include <windows.h>
// After windows.h, which it builds on.
#include <shellapi.h>

#include "runtime/dll_calls_win32.h"

namespace wiz {

void OpenUrl(const rt::TextValue& url) {
    rt::dll::ShellExecuteA(nullptr, "open", url.c_str(), "", "", SW_SHOWNORMAL);
}

}  // namespace wiz

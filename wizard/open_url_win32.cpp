#include "wizard/open_url.h"

#include <windows.h>
// After windows.h, which it builds on.
#include <shellapi.h>

namespace wiz {

void OpenUrl(const rt::TextValue& url) {
    ShellExecuteA(nullptr, "open", url.c_str(), "", "", SW_SHOWNORMAL);
}

}  // namespace wiz

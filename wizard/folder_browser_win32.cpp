#include "wizard/folder_browser.h"

#include <windows.h>
// After windows.h, which they build on.
#include <shlobj.h>

#include "runtime/dll_calls_win32.h"
#include "wizard/test_hooks.h"

namespace wiz {
namespace {

// Selects the start path once the dialog is up.
int CALLBACK OnBrowserEvent(HWND dialog, UINT event, LPARAM, LPARAM startPath) {
    if (event == BFFM_INITIALIZED && startPath != 0) {
        SendMessageA(dialog, BFFM_SETSELECTIONA, TRUE, startPath);
    }
    return 0;
}

rt::TextValue PathOf(LPITEMIDLIST item) {
    char path[MAX_PATH] = {};
    if (!rt::dll::SHGetPathFromIDListA(item, path)) path[0] = '\0';
    return path;
}

}  // namespace

rt::TextValue ShowFolderBrowser(HWND owner, const rt::TextValue& title,
                                const rt::TextValue& startPath, int rootFolder) {
    if (const auto& choice = CurrentTestHooks().folderChoice) {
        if (std::optional<rt::TextValue> answer = choice()) return *answer;
    }
    LPITEMIDLIST root = nullptr;
    if (FAILED(rt::dll::SHGetFolderLocation(owner, rootFolder, nullptr, 0, &root))) root = nullptr;
    BROWSEINFOA info{};
    info.hwndOwner = owner;
    info.pidlRoot = root;
    info.lpszTitle = title.c_str();
    info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE;
    info.lpfn = &OnBrowserEvent;
    info.lParam = startPath.empty() ? 0 : reinterpret_cast<LPARAM>(startPath.c_str());
    LPITEMIDLIST chosen = rt::dll::SHBrowseForFolderA(&info);
    rt::TextValue path = chosen ? PathOf(chosen) : rt::TextValue();
    rt::dll::CoTaskMemFree(chosen);
    rt::dll::CoTaskMemFree(root);
    return path;
}

}  // namespace wiz

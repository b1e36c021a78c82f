#include "wizard/folder_browser.h"

#include <windows.h>
// After windows.h, which they build on.
#include <shlobj.h>

#include <optional>

namespace wiz {
namespace {

constexpr char kInjectedChoices[] = "VANTORSAELIN_TEST_FOLDER_CHOICES";

// The next answer the tests put in the environment, taken out of it.
std::optional<rt::TextValue> TakeInjectedChoice() {
    char buffer[4096];
    const DWORD length = GetEnvironmentVariableA(kInjectedChoices, buffer, sizeof buffer);
    if (length == 0 || length >= sizeof buffer) return std::nullopt;
    const rt::TextValue choices(buffer, length);
    const auto bar = choices.find('|');
    const rt::TextValue rest =
        bar == rt::TextValue::npos ? rt::TextValue() : choices.substr(bar + 1);
    SetEnvironmentVariableA(kInjectedChoices, rest.empty() ? nullptr : rest.c_str());
    return choices.substr(0, bar);
}

// Selects the start path once the dialog is up.
int CALLBACK OnBrowserEvent(HWND dialog, UINT event, LPARAM, LPARAM startPath) {
    if (event == BFFM_INITIALIZED && startPath != 0) {
        SendMessageA(dialog, BFFM_SETSELECTIONA, TRUE, startPath);
    }
    return 0;
}

rt::TextValue PathOf(LPITEMIDLIST item) {
    char path[MAX_PATH] = {};
    if (!SHGetPathFromIDListA(item, path)) path[0] = '\0';
    return path;
}

}  // namespace

rt::TextValue ShowFolderBrowser(HWND owner, const rt::TextValue& title,
                                const rt::TextValue& startPath, int rootFolder) {
    if (std::optional<rt::TextValue> injected = TakeInjectedChoice()) return *injected;
    LPITEMIDLIST root = nullptr;
    if (FAILED(SHGetFolderLocation(owner, rootFolder, nullptr, 0, &root))) root = nullptr;
    BROWSEINFOA info{};
    info.hwndOwner = owner;
    info.pidlRoot = root;
    info.lpszTitle = title.c_str();
    info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE;
    info.lpfn = &OnBrowserEvent;
    info.lParam = startPath.empty() ? 0 : reinterpret_cast<LPARAM>(startPath.c_str());
    LPITEMIDLIST chosen = SHBrowseForFolderA(&info);
    rt::TextValue path = chosen ? PathOf(chosen) : rt::TextValue();
    CoTaskMemFree(chosen);
    CoTaskMemFree(root);
    return path;
}

}  // namespace wiz

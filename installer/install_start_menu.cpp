#include "installer/install_start_menu.h"

#include "runtime/files.h"

namespace inst {
namespace {

constexpr int kAnyAttribute = -1;

bool IsSelfOrParent(const rt::TextValue& name) {
    return name == "." || name == "..";
}

}  // namespace

bool IsEmptyFolder(const rt::TextValue& folder) {
    if (!rt::IsExistingDirectory(folder)) return false;
    rt::FileSearchHandle search;
    rt::TextValue name = rt::FindFileEntry(folder + "\\*", kAnyAttribute, false, search);
    while (!name.empty() && IsSelfOrParent(name)) {
        name = rt::FindFileEntry({}, kAnyAttribute, false, search);
    }
    rt::CloseFileSearch(search);
    return name.empty();
}

void RemoveStartMenuEntries(const StartMenuPaths& paths) {
    rt::DeleteOneFile(paths.programShortcut);
    rt::DeleteOneFile(paths.uninstallShortcut);
    rt::DeleteTree(paths.productFolder);
    if (IsEmptyFolder(paths.makerFolder)) rt::DeleteTree(paths.makerFolder);
}

}  // namespace inst

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

void RemoveStartMenuEntries(const StartMenuPaths& paths, SetupLog& log) {
    for (const rt::TextValue& shortcut : {paths.programShortcut, paths.uninstallShortcut}) {
        log.Removal("shortcut deleted", shortcut, rt::DeleteOneFile(shortcut) != 0,
                    FailureKind::kSettings);
    }
    log.Removal("folder deleted with everything in it", paths.productFolder,
                rt::DeleteTree(paths.productFolder) != 0, FailureKind::kSettings);
    if (!IsEmptyFolder(paths.makerFolder)) return;
    log.Removal("folder deleted", paths.makerFolder, rt::DeleteTree(paths.makerFolder) != 0,
                FailureKind::kSettings);
}

}  // namespace inst

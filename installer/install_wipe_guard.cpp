#include "installer/install_wipe_guard.h"

#include <algorithm>

#include "installer/install_platform.h"

namespace inst {
namespace {

// A folder in each form a directory is compared in: resolved like the directory itself and,
// when a link or junction lies on the way, where it really is. A special folder that is a
// root protects nothing more than the root rule does.
std::vector<ComparablePath> FormsOf(SetupPlatform& platform, const rt::TextValue& folder) {
    std::vector<ComparablePath> forms;
    if (folder.empty()) return forms;
    for (const rt::TextValue& form : {platform.FullPath(folder), platform.FinalPath(folder)}) {
        std::optional<ComparablePath> path = MakeComparablePath(form);
        if (path && !path->names.empty()) forms.push_back(*path);
    }
    return forms;
}

void Append(std::vector<ComparablePath>& to, const std::vector<ComparablePath>& forms) {
    to.insert(to.end(), forms.begin(), forms.end());
}

bool IsProfile(const ComparablePath& directory, const std::vector<ComparablePath>& profileRoots) {
    return std::any_of(profileRoots.begin(), profileRoots.end(), [&](const ComparablePath& root) {
        return root.Contains(directory) && directory.names.size() == root.names.size() + 1;
    });
}

}  // namespace

GuardedFolders GuardedFoldersOf(SetupPlatform& platform) {
    GuardedFolders guarded;
    for (int csidl : kGuardedFolderIds)
        Append(guarded.folders, FormsOf(platform, platform.SpecialFolder(csidl)));
    for (const char* variable : kGuardedFolderVariables)
        Append(guarded.folders, FormsOf(platform, platform.EnvironmentText(variable)));
    Append(guarded.foldersWithContents, FormsOf(platform, platform.SpecialFolder(kFolderWindows)));
    for (ComparablePath profile : FormsOf(platform, platform.SpecialFolder(kFolderProfile))) {
        if (profile.names.size() < 2) continue;
        profile.names.pop_back();
        guarded.profileRoots.push_back(profile);
    }
    return guarded;
}

bool MayWipeDirectory(const rt::TextValue& absolutePath, const GuardedFolders& guarded) {
    const std::optional<ComparablePath> directory = MakeComparablePath(absolutePath);
    if (!directory || directory->names.empty()) return false;
    const auto holds = [&](const ComparablePath& folder) { return directory->Contains(folder); };
    const auto inside = [&](const ComparablePath& folder) { return folder.Contains(*directory); };
    return std::none_of(guarded.folders.begin(), guarded.folders.end(), holds) &&
           std::none_of(guarded.foldersWithContents.begin(), guarded.foldersWithContents.end(),
                        inside) &&
           !IsProfile(*directory, guarded.profileRoots);
}

bool MayWipeInstallDirectory(const rt::TextValue& directory, SetupPlatform& platform) {
    const GuardedFolders guarded = GuardedFoldersOf(platform);
    const rt::TextValue real = platform.FinalPath(directory);
    return !real.empty() && MayWipeDirectory(platform.FullPath(directory), guarded) &&
           MayWipeDirectory(real, guarded);
}

}  // namespace inst

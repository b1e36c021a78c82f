#include "installer/install_wipe_guard.h"

#include <algorithm>

#include "installer/install_platform.h"

namespace inst {
namespace {

std::optional<ComparablePath> ComparableFolder(SetupPlatform& platform,
                                               const rt::TextValue& folder) {
    if (folder.empty()) return std::nullopt;
    // Resolved like the directory itself, so that both are compared in the same form.
    std::optional<ComparablePath> path = MakeComparablePath(platform.FullPath(folder));
    // A special folder that is a root protects nothing more than the root rule does.
    if (path && path->names.empty()) return std::nullopt;
    return path;
}

std::optional<ComparablePath> ComparableFolder(SetupPlatform& platform, int csidl) {
    return ComparableFolder(platform, platform.SpecialFolder(csidl));
}

bool IsProfile(const ComparablePath& directory, const std::optional<ComparablePath>& profiles) {
    return profiles && profiles->Contains(directory) &&
           directory.names.size() == profiles->names.size() + 1;
}

}  // namespace

GuardedFolders GuardedFoldersOf(SetupPlatform& platform) {
    GuardedFolders guarded;
    for (int csidl : kGuardedFolderIds) {
        if (auto folder = ComparableFolder(platform, csidl)) guarded.folders.push_back(*folder);
    }
    for (const char* variable : kGuardedFolderVariables) {
        if (auto folder = ComparableFolder(platform, platform.EnvironmentText(variable))) {
            guarded.folders.push_back(*folder);
        }
    }
    if (auto windows = ComparableFolder(platform, kFolderWindows)) {
        guarded.foldersWithContents.push_back(*windows);
    }
    if (auto profile = ComparableFolder(platform, kFolderProfile);
        profile && profile->names.size() >= 2) {
        profile->names.pop_back();
        guarded.profilesRoot = *profile;
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
           !IsProfile(*directory, guarded.profilesRoot);
}

}  // namespace inst

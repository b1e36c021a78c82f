// Decides whether "delete the old configuration files" may wipe the install directory. The
// directory is typed by the user, so a slip ("C:\", "C:\Program Files") must not take a drive,
// the system, all programs, a user's profile, or a whole desktop or Start menu with it.
// Portable: the folders come from the platform.
#pragma once

#include <array>
#include <vector>

#include "installer/install_comparable_path.h"
#include "runtime/value_types.h"

namespace inst {

class SetupPlatform;

// Special folders (CSIDL codes) that are never wiped, nor is any folder above them: Programs,
// Documents, Startup, Start menu, desktop, application data (each per user and common), the
// Windows and system folders, Program Files (also x86 and common files) and the user profile.
inline constexpr std::array<int, 21> kGuardedFolderIds = {0x02, 0x05, 0x07, 0x0b, 0x10, 0x16, 0x17,
                                                          0x18, 0x19, 0x1a, 0x1c, 0x23, 0x24, 0x25,
                                                          0x26, 0x28, 0x29, 0x2a, 0x2b, 0x2c, 0x2e};
// Folders a 32-bit program learns only from the environment: on 64-bit Windows the special
// folders above name the x86 Program Files for it, while the 64-bit one is ProgramW6432.
inline constexpr std::array<const char*, 8> kGuardedFolderVariables = {
    "ProgramW6432", "CommonProgramW6432", "ProgramFiles", "ProgramFiles(x86)", "SystemRoot",
    "windir",       "ProgramData",        "PUBLIC"};
inline constexpr int kFolderWindows = 0x24;
inline constexpr int kFolderProfile = 0x28;

struct GuardedFolders {
    // Refused themselves and every folder above them.
    std::vector<ComparablePath> folders;
    // Also refused for everything inside them (the Windows folder).
    std::vector<ComparablePath> foldersWithContents;
    // The folder holding the user profiles (in each of its forms): each folder directly in it
    // is a profile.
    std::vector<ComparablePath> profileRoots;
};

// The guarded folders of this machine, each as the system names it and, where a link or a
// junction leads elsewhere, also where it really is; folders the system does not resolve are
// left out. Environment variables only ever add folders to spare.
GuardedFolders GuardedFoldersOf(SetupPlatform& platform);

// True when the directory, given as an absolute path, may be wiped: it is no drive or share
// root, no guarded folder nor above one, not inside the Windows folder and no user profile.
// A path whose place cannot be told is refused.
bool MayWipeDirectory(const rt::TextValue& absolutePath, const GuardedFolders& guarded);

// The decision for the install directory as typed: both the path and where it really leads
// (it may be, or lie below, a link into a guarded folder) must pass. A directory that does not
// exist, or whose real place cannot be told, is not wiped.
bool MayWipeInstallDirectory(const rt::TextValue& directory, SetupPlatform& platform);

}  // namespace inst

// Which install directories the procedures act in. The installer refuses a drive root: the
// uninstaller would later delete the updater's download folder and listed files there. The
// uninstaller takes its directory from a value under HKEY_CURRENT_USER, which anyone running as
// the user may have written, and deletes in it with administrator rights, so it judges that
// directory by the wipe's rules (install_wipe_guard.h) and refuses any link on the way. Portable:
// the folders come from the platform.
#pragma once

#include "installer/install_platform.h"
#include "runtime/value_types.h"

namespace inst {

// True when the directory, as the file system would resolve it, is the root of a drive or share
// ("D:\", "D:", "D:\x\..", "\\server\share").
bool IsRootDirectory(const rt::TextValue& directory, SetupPlatform& platform);

enum class DirectoryRefusal {
    kNone,
    kNotAbsolute,    // relative, drive-relative or a device path: its place depends on who asks
    kNotThere,       // it does not exist, or where it really is cannot be told
    kRoot,           // the root of a drive or share, as given or where it really leads
    kGuardedFolder,  // a system, program or user folder, or a folder above one
                     // (install_wipe_guard.h)
    kThroughLink,    // a link, junction or mount point lies on the way to it
};

// The uninstaller's judgement of its directory `base`: the stored text with a backslash
// appended, as it builds the paths of the files it deletes. kNone when it may delete in it.
DirectoryRefusal JudgeUninstallDirectory(const rt::TextValue& base, SetupPlatform& platform);

// Why, in English for the log ("it is the root of a drive or share").
const char* RefusalReason(DirectoryRefusal refusal);
// Why, as a sentence for the uninstall report, which also says that nothing in it was deleted.
const char* RefusalReportSentence(DirectoryRefusal refusal);

}  // namespace inst

// The machine as the install and uninstall procedures see it: registry, special folders,
// shortcuts, programs and processes, and the plain message box. The Win32 tree answers with the
// real system (SystemSetupPlatform); tests bring their own. Files are not part of it: the
// procedures use the runtime's file operations, which both trees provide.
#pragma once

#include <cstdint>
#include <optional>

#include "runtime/value_types.h"

namespace inst {

enum class StopResult { kNotRunning, kStopped, kStillRunning };

class SetupPlatform {
  public:
    virtual ~SetupPlatform() = default;

    // Registry values by root code (3 HKEY_CURRENT_USER, 4 HKEY_LOCAL_MACHINE) and
    // "key\value" path, with the runtime's results: the text or the fallback; 1 or 0.
    virtual rt::TextValue ReadRegistryText(int root, const rt::TextValue& path,
                                           const rt::TextValue& fallback) = 0;
    virtual int WriteRegistryText(int root, const rt::TextValue& path,
                                  const rt::TextValue& text) = 0;
    virtual int DeleteRegistryEntry(int root, const rt::TextValue& path) = 0;

    // A special folder's path without a trailing backslash; empty when the system has none.
    virtual rt::TextValue SpecialFolder(int csidl) = 0;

    // The value of an environment variable; empty when it is not set.
    virtual rt::TextValue EnvironmentText(const rt::TextValue& name) = 0;

    // The absolute form of a path as the file system would resolve it (relative parts, "." and
    // ".." applied); empty when it cannot be formed.
    virtual rt::TextValue FullPath(const rt::TextValue& path) = 0;

    // Where an existing file or folder really is: its absolute path with every link, junction
    // or mount point on the way followed; empty when it does not exist or cannot be told.
    virtual rt::TextValue FinalPath(const rt::TextValue& path) = 0;

    // The bytes this user may still write on the volume that holds the existing folder;
    // nothing when the system cannot tell.
    virtual std::optional<std::uint64_t> FreeSpace(const rt::TextValue& folder) = 0;

    // Writes a shortcut with no arguments; true when it was saved.
    virtual bool CreateShortcut(const rt::TextValue& linkPath, const rt::TextValue& target,
                                const rt::TextValue& description,
                                const rt::TextValue& workingDirectory) = 0;

    // Starts a program without waiting for it, shown normally; nonzero when it started.
    virtual int StartProgram(const rt::TextValue& commandLine) = 0;

    // The running program's own file (its directory, "\", its name).
    virtual rt::TextValue OwnProgramPath() = 0;

    // Asks the first running process with this image name (letters in any case) to end, and
    // waits a little for it to go: whether one was running and whether it ended.
    virtual StopResult StopProcessNamed(const rt::TextValue& imageName) = 0;

    // The system message box without an owner window; the MessageBoxResult pressed.
    virtual int ShowMessage(const rt::TextValue& text, int style, const rt::TextValue& title) = 0;
};

}  // namespace inst

// The exit codes of a silent run (/S), by which a deployment tool tells what happened. A run
// with the wizard or the uninstall question always ends with 0, whatever happened.
#pragma once

namespace inst {

enum SetupExitCode : int {
    kExitSuccess = 0,
    // The program met a fault of its own (a runtime error, no memory, a missing system library);
    // its message went to the log instead of a box. A crash ends with the system's exception
    // code, which is never 0 either.
    kExitFault = 1,
    // The command line holds a switch that is unknown, repeated, empty or not valid here, or the
    // log file cannot be written; nothing was done.
    kExitBadSwitches = 2,
    // The payload does not decode or does not hold the product's archive; nothing was changed.
    kExitDamagedPayload = 3,
    // The install directory is unknown, refused (a drive root; for the uninstaller also a system,
    // program or user folder, a relative path or one reached through a link) or cannot be
    // created or written, its drive lacks room for the files (nothing was changed), or product
    // files could not be written (install; the updater was then not started) or deleted
    // (uninstall: also when the file list could not be read or none of its files was deleted).
    kExitDirectoryNotWritable = 4,
    // The product is running and did not end when asked; nothing was changed.
    kExitProductRunning = 5,
    // The files are in place, but a registry value or shortcut could not be written or removed,
    // or the updater did not start.
    kExitIncomplete = 6,
};

// A short English description for the log ("success", "bad switches", ...).
const char* ExitCodeMeaning(int exitCode);

}  // namespace inst

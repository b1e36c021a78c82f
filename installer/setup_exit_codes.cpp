#include "installer/setup_exit_codes.h"

namespace inst {

const char* ExitCodeMeaning(int exitCode) {
    switch (exitCode) {
        case kExitSuccess:
            return "success";
        case kExitFault:
            return "the program met a fault of its own";
        case kExitBadSwitches:
            return "bad switches";
        case kExitDamagedPayload:
            return "the payload is damaged";
        case kExitDirectoryNotWritable:
            return "the install directory is refused or cannot be written, or product files "
                   "could not be written or deleted";
        case kExitProductRunning:
            return "the product is running and could not be stopped";
        case kExitIncomplete:
            return "a registry value, shortcut or the updater start failed";
        default:
            return "unknown";
    }
}

}  // namespace inst

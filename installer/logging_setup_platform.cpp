#include "installer/logging_setup_platform.h"

#include <string>

#include "runtime/registry.h"

namespace inst {

rt::TextValue RegistryName(int root, const rt::TextValue& path) {
    switch (root) {
        case rt::kRootCurrentUser:
            return "HKEY_CURRENT_USER\\" + path;
        case rt::kRootLocalMachine:
            return "HKEY_LOCAL_MACHINE\\" + path;
        default:
            return "root " + std::to_string(root) + "\\" + path;
    }
}

int LoggingSetupPlatform::WriteRegistryText(int root, const rt::TextValue& path,
                                            const rt::TextValue& text) {
    const int result = inner_.WriteRegistryText(root, path, text);
    log_.Action("registry value set", RegistryName(root, path) + " = " + text, result != 0,
                FailureKind::kSettings);
    return result;
}

int LoggingSetupPlatform::DeleteRegistryEntry(int root, const rt::TextValue& path) {
    const int result = inner_.DeleteRegistryEntry(root, path);
    log_.Removal("registry entry deleted", RegistryName(root, path), result != 0,
                 FailureKind::kSettings);
    return result;
}

bool LoggingSetupPlatform::CreateShortcut(const rt::TextValue& linkPath,
                                          const rt::TextValue& target,
                                          const rt::TextValue& description,
                                          const rt::TextValue& workingDirectory) {
    const bool made = inner_.CreateShortcut(linkPath, target, description, workingDirectory);
    log_.Action("shortcut made", linkPath + " -> " + target, made, FailureKind::kSettings);
    return made;
}

int LoggingSetupPlatform::StartProgram(const rt::TextValue& commandLine) {
    const int result = inner_.StartProgram(commandLine);
    log_.Action("program started", commandLine, result != 0, FailureKind::kSettings);
    return result;
}

StopResult LoggingSetupPlatform::StopProcessNamed(const rt::TextValue& imageName) {
    const StopResult result = inner_.StopProcessNamed(imageName);
    switch (result) {
        case StopResult::kNotRunning:
            log_.Note("process not running: " + imageName);
            break;
        case StopResult::kStopped:
            log_.Note("process stopped: " + imageName);
            break;
        case StopResult::kStillRunning:
            log_.Failure("process stopped", imageName, "still running after being asked to end",
                         FailureKind::kUncounted);
            break;
    }
    return result;
}

int LoggingSetupPlatform::ShowMessage(const rt::TextValue& text, int style,
                                      const rt::TextValue& title) {
    const int answer = inner_.ShowMessage(text, style, title);
    log_.Message(title, text, answer);
    return answer;
}

}  // namespace inst

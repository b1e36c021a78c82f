#include <windows.h>

#include <string_view>

#include "installer/install_special_folder.h"
#include "installer/install_system_platform.h"
#include "installer/process_control.h"
#include "runtime/program_identity.h"
#include "runtime/registry.h"
#include "runtime/shell.h"
#include "runtime/show_message.h"
#include "runtime/tagged_value.h"

namespace inst {
namespace {

// How long the uninstall waits for a stopped product to let go of its files.
constexpr DWORD kStopWaitMs = 5000;

class Win32SetupPlatform final : public SetupPlatform {
  public:
    rt::TextValue ReadRegistryText(int root, const rt::TextValue& path,
                                   const rt::TextValue& fallback) override {
        return rt::RegReadText(root, path, fallback);
    }
    int WriteRegistryText(int root, const rt::TextValue& path, const rt::TextValue& text) override {
        return rt::RegWriteValue(root, path, text);
    }
    int DeleteRegistryEntry(int root, const rt::TextValue& path) override {
        return rt::RegDeleteEntry(root, path);
    }
    rt::TextValue SpecialFolder(int csidl) override { return SpecialFolderPath(csidl); }
    rt::TextValue EnvironmentText(const rt::TextValue& name) override;
    rt::TextValue FullPath(const rt::TextValue& path) override;
    rt::TextValue FinalPath(const rt::TextValue& path) override;
    std::optional<std::uint64_t> FreeSpace(const rt::TextValue& folder) override {
        ULARGE_INTEGER available{};
        if (!GetDiskFreeSpaceExA(folder.c_str(), &available, nullptr, nullptr)) return std::nullopt;
        return available.QuadPart;
    }
    bool CreateShortcut(const rt::TextValue& linkPath, const rt::TextValue& target,
                        const rt::TextValue& description,
                        const rt::TextValue& workingDirectory) override {
        return rt::CreateShortcut(linkPath, target, description, std::nullopt, workingDirectory);
    }
    int StartProgram(const rt::TextValue& commandLine) override {
        return rt::RunProgram(commandLine, false);
    }
    rt::TextValue OwnProgramPath() override {
        return rt::OwnDirectory() + "\\" + rt::OwnFileName();
    }
    StopResult StopProcessNamed(const rt::TextValue& imageName) override;
    int ShowMessage(const rt::TextValue& text, int style, const rt::TextValue& title) override {
        return rt::ShowMessage(rt::TaggedValue::Text(text), style, title);
    }
};

rt::TextValue Win32SetupPlatform::EnvironmentText(const rt::TextValue& name) {
    char value[MAX_PATH * 2] = {};
    const DWORD length = GetEnvironmentVariableA(name.c_str(), value, sizeof value);
    return length == 0 || length >= sizeof value ? rt::TextValue() : rt::TextValue(value);
}

// GetFullPathNameA applies the current directory, "." and ".."; GetLongPathNameA then turns
// short 8.3 names ("PROGRA~1") into the long ones, where the folder exists.
rt::TextValue Win32SetupPlatform::FullPath(const rt::TextValue& path) {
    if (path.empty()) return {};
    char full[MAX_PATH * 2] = {};
    const DWORD fullLength = GetFullPathNameA(path.c_str(), sizeof full, full, nullptr);
    if (fullLength == 0 || fullLength >= sizeof full) return {};
    char longer[MAX_PATH * 2] = {};
    const DWORD longLength = GetLongPathNameA(full, longer, sizeof longer);
    if (longLength == 0 || longLength >= sizeof longer) return full;
    return longer;
}

// The system names the final path in its long form: "\\?\C:\x" or "\\?\UNC\server\share\x".
rt::TextValue WithoutLongPathPrefix(const rt::TextValue& path) {
    constexpr std::string_view kLocal = "\\\\?\\", kShare = "\\\\?\\UNC\\";
    if (path.starts_with(kShare)) return "\\\\" + path.substr(kShare.size());
    if (path.starts_with(kLocal)) return path.substr(kLocal.size());
    return path;
}

// Opened without asking for any access, so that also a folder the user may not read tells
// where the system found it after following every link.
rt::TextValue Win32SetupPlatform::FinalPath(const rt::TextValue& path) {
    if (path.empty()) return {};
    HANDLE file =
        CreateFileA(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file == INVALID_HANDLE_VALUE) return {};
    char resolved[MAX_PATH * 2] = {};
    const DWORD length = GetFinalPathNameByHandleA(file, resolved, sizeof resolved,
                                                   FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
    CloseHandle(file);
    if (length == 0 || length >= sizeof resolved) return {};
    return WithoutLongPathPrefix(resolved);
}

// The stop itself does not wait; the files the product holds are freed only when it has
// ended, so wait a little for that before they are deleted. Without the right to wait on it,
// a second look tells whether it is gone.
StopResult Win32SetupPlatform::StopProcessNamed(const rt::TextValue& imageName) {
    const std::uint32_t id = FindProcessIdByName(imageName);
    if (id == 0) return StopResult::kNotRunning;
    HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, id);
    StopProcessById(id);
    if (process == nullptr) {
        return FindProcessIdByName(imageName) == id ? StopResult::kStillRunning
                                                    : StopResult::kStopped;
    }
    const DWORD waited = WaitForSingleObject(process, kStopWaitMs);
    CloseHandle(process);
    return waited == WAIT_OBJECT_0 ? StopResult::kStopped : StopResult::kStillRunning;
}

}  // namespace

SetupPlatform& SystemSetupPlatform() {
    static Win32SetupPlatform platform;
    return platform;
}

}  // namespace inst

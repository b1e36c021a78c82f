// Processes through CreateProcessA, shortcuts through the shell-link object.
#include <objbase.h>
#include <shlobj.h>
#include <windows.h>

#include <vector>

#include "runtime/dll_calls_win32.h"
#include "runtime/shell.h"

namespace rt {

namespace {

// Longest shortcut file name, terminating zero included.
constexpr std::size_t kMaxLinkName = MAX_PATH;

WORD ShowWindowFlag(std::optional<int> showMode) {
    switch (showMode.value_or(kShowNormal)) {
        case kShowHidden:
            return SW_HIDE;
        case kShowMinimized:
            return SW_SHOWMINIMIZED;
        case kShowMaximized:
            return SW_SHOWMAXIMIZED;
        case kShowNoActivate:
            return SW_SHOWNOACTIVATE;
        case kShowMinimizedNoActivate:
            return SW_SHOWMINNOACTIVE;
        default:
            return SW_SHOW;
    }
}

// Releases a COM interface when it goes out of scope.
template <class Interface>
class ComRef {
  public:
    ComRef() = default;
    ~ComRef() {
        if (pointer_ != nullptr) pointer_->Release();
    }
    ComRef(const ComRef&) = delete;
    ComRef& operator=(const ComRef&) = delete;
    Interface* operator->() const { return pointer_; }
    void** Receive() { return reinterpret_cast<void**>(&pointer_); }
    explicit operator bool() const { return pointer_ != nullptr; }

  private:
    Interface* pointer_ = nullptr;
};

TextValue ShortcutFileName(const TextValue& linkPath) {
    return linkPath.find('.') == TextValue::npos ? linkPath + ".lnk" : linkPath;
}

std::vector<wchar_t> ToWide(const TextValue& text) {
    const int count = MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, nullptr, 0);
    std::vector<wchar_t> wide(count > 0 ? count : 1, L'\0');
    if (count > 0) MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, wide.data(), count);
    return wide;
}

}  // namespace

int RunProgram(const TextValue& commandLine, bool wait, std::optional<int> showMode) {
    STARTUPINFOA startup{};
    GetStartupInfoA(&startup);
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = ShowWindowFlag(showMode);
    startup.hStdOutput = nullptr;
    startup.hStdError = nullptr;
    // CreateProcessA may write into the command line, so it gets a copy of its own.
    std::vector<char> line(commandLine.begin(), commandLine.end());
    line.push_back('\0');
    PROCESS_INFORMATION process{};
    const BOOL started = CreateProcessA(nullptr, line.data(), nullptr, nullptr, TRUE, 0, nullptr,
                                        nullptr, &startup, &process);
    if (!started) return 0;
    if (wait) WaitForSingleObject(process.hProcess, INFINITE);
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
    return started;
}

bool CreateShortcut(const TextValue& linkPath, const TextValue& target,
                    const std::optional<TextValue>& description,
                    const std::optional<TextValue>& arguments,
                    const std::optional<TextValue>& workingDirectory) {
    const TextValue fileName = ShortcutFileName(linkPath);
    // A longer name would have to be cut, and the shortcut would land somewhere else.
    if (fileName.size() >= kMaxLinkName) return false;
    ComRef<IShellLinkA> link;
    // __uuidof emits just the interface identifiers used here: libuuid would bring a single
    // object of some two thousand of them (30 KB).
    if (FAILED(rt::dll::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER,
                                         __uuidof(IShellLinkA), link.Receive())))
        return false;
    ComRef<IPersistFile> file;
    if (FAILED(link->QueryInterface(__uuidof(IPersistFile), file.Receive()))) return false;
    link->SetPath(target.c_str());
    link->SetShowCmd(SW_SHOW);
    if (description) link->SetDescription(description->c_str());
    if (arguments) link->SetArguments(arguments->c_str());
    if (workingDirectory) link->SetWorkingDirectory(workingDirectory->c_str());
    const std::vector<wchar_t> wideName = ToWide(fileName);
    return SUCCEEDED(file->Save(wideName.data(), TRUE));
}

}  // namespace rt

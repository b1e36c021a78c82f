#include "tests/e2e/install_e2e_support.h"

#include <objbase.h>
#include <shlobj.h>

#include <algorithm>

#include "installer/appended_payload.h"
#include "tests/runtime/folder_link.h"

namespace e2e {
namespace {

class RegistryKey {
  public:
    RegistryKey(HKEY root, const std::string& key, REGSAM access) {
        if (RegOpenKeyExA(root, key.c_str(), 0, access, &key_) != ERROR_SUCCESS) key_ = nullptr;
    }
    ~RegistryKey() {
        if (key_ != nullptr) RegCloseKey(key_);
    }
    RegistryKey(const RegistryKey&) = delete;
    RegistryKey& operator=(const RegistryKey&) = delete;
    HKEY Get() const { return key_; }

  private:
    HKEY key_ = nullptr;
};

void CollectValues(HKEY root, const std::string& key, const std::string& prefix,
                   std::vector<std::string>& out) {
    RegistryKey opened(root, key, KEY_READ);
    if (opened.Get() == nullptr) return;
    char name[1024];
    BYTE data[4096];
    for (DWORD i = 0;; ++i) {
        DWORD nameLength = sizeof name, dataLength = sizeof data, type = 0;
        if (RegEnumValueA(opened.Get(), i, name, &nameLength, nullptr, &type, data, &dataLength) !=
            ERROR_SUCCESS)
            break;
        std::string text(reinterpret_cast<char*>(data), dataLength);
        if (type == REG_SZ && !text.empty() && text.back() == '\0') text.pop_back();
        out.push_back(prefix + name + "=" + text);
    }
    for (DWORD i = 0;; ++i) {
        DWORD nameLength = sizeof name;
        if (RegEnumKeyExA(opened.Get(), i, name, &nameLength, nullptr, nullptr, nullptr, nullptr) !=
            ERROR_SUCCESS)
            break;
        CollectValues(root, key + "\\" + name, prefix + name + "\\", out);
    }
}

void CollectFiles(const std::string& folder, const std::string& prefix,
                  std::vector<std::pair<std::string, std::string>>& out) {
    WIN32_FIND_DATAA entry;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
        const std::string name = entry.cFileName;
        if (name == "." || name == "..") continue;
        if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            out.emplace_back(prefix + name + "\\", "<folder>");
            CollectFiles(folder + "\\" + name, prefix + name + "\\", out);
        } else {
            out.emplace_back(prefix + name, ReadFileBytes(folder + "\\" + name).value_or(""));
        }
    } while (FindNextFileA(search, &entry));
    FindClose(search);
}

}  // namespace

std::string WindowsPathOf(std::string hostPath) {
    std::replace(hostPath.begin(), hostPath.end(), '/', '\\');
    return "Z:" + hostPath;
}

std::string RunnerPath() {
    return WindowsPathOf(VS_RUNNER_PATH);
}
std::string SetupProgramPath() {
    return WindowsPathOf(VS_PROGRAM_PATH);
}
std::string TestProgramPath() {
    return WindowsPathOf(VS_TEST_PROGRAM_PATH);
}
std::string PlantMarkerPath() {
    return WindowsPathOf(VS_PLANT_MARKER_PATH);
}
std::string PlantProbePath() {
    return WindowsPathOf(VS_PLANT_PROBE_PATH);
}
std::string ProductStagePath() {
    return WindowsPathOf(VS_PAYLOAD_STAGE);
}
std::string ProductPayloadPath() {
    return WindowsPathOf(VS_PAYLOAD_FILE);
}

std::string ShippedProgramPart() {
    const std::string file = ReadFileBytes(SetupProgramPath()).value_or("");
    const auto found = inst::FindAppendedPayload(
        {reinterpret_cast<const std::uint8_t*>(file.data()), file.size()});
    return found ? file.substr(0, *found->programLength) : std::string();
}

std::string SystemFolder(int csidl) {
    char path[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathA(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path))) return {};
    std::string folder = path;
    if (folder.size() > 3 && folder.back() == '\\') folder.pop_back();
    return folder;
}

std::optional<std::string> RegistryText(HKEY root, const std::string& key,
                                        const std::string& value) {
    RegistryKey opened(root, key, KEY_READ);
    if (opened.Get() == nullptr) return std::nullopt;
    char data[4096] = {};
    DWORD size = sizeof data - 1, type = 0;
    if (RegQueryValueExA(opened.Get(), value.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(data),
                         &size) != ERROR_SUCCESS ||
        type != REG_SZ)
        return std::nullopt;
    return std::string(data);
}

bool RegistryKeyExists(HKEY root, const std::string& key, REGSAM view) {
    return RegistryKey(root, key, KEY_READ | view).Get() != nullptr;
}

void SetRegistryText(HKEY root, const std::string& key, const std::string& value,
                     const std::string& text) {
    HKEY created = nullptr;
    if (RegCreateKeyExA(root, key.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &created, nullptr) !=
        ERROR_SUCCESS)
        return;
    RegSetValueExA(created, value.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                   static_cast<DWORD>(text.size() + 1));
    RegCloseKey(created);
}

void DeleteRegistryTree(HKEY root, const std::string& key) {
    std::vector<std::string> children;
    {
        RegistryKey opened(root, key, KEY_READ);
        if (opened.Get() == nullptr) return;
        char name[1024];
        for (DWORD i = 0;; ++i) {
            DWORD nameLength = sizeof name;
            if (RegEnumKeyExA(opened.Get(), i, name, &nameLength, nullptr, nullptr, nullptr,
                              nullptr) != ERROR_SUCCESS)
                break;
            children.push_back(name);
        }
    }
    for (const std::string& child : children)
        DeleteRegistryTree(root, key + "\\" + child);
    RegDeleteKeyA(root, key.c_str());
}

std::vector<std::string> RegistrySnapshot(HKEY root, const std::string& key) {
    std::vector<std::string> values;
    CollectValues(root, key, "", values);
    return values;
}

std::optional<ShortcutInfo> ReadShortcut(const std::string& linkPath) {
    IShellLinkA* link = nullptr;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                reinterpret_cast<void**>(&link))))
        return std::nullopt;
    std::optional<ShortcutInfo> info;
    IPersistFile* file = nullptr;
    if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
        wchar_t wide[MAX_PATH * 2] = {};
        MultiByteToWideChar(CP_ACP, 0, linkPath.c_str(), -1, wide, MAX_PATH * 2);
        if (SUCCEEDED(file->Load(wide, STGM_READ))) {
            char target[MAX_PATH] = {}, description[MAX_PATH] = {}, directory[MAX_PATH] = {};
            link->GetPath(target, MAX_PATH, nullptr, SLGP_RAWPATH);
            link->GetDescription(description, MAX_PATH);
            link->GetWorkingDirectory(directory, MAX_PATH);
            info = ShortcutInfo{target, description, directory};
        }
        file->Release();
    }
    link->Release();
    return info;
}

bool FileExists(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool FolderExists(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::optional<std::string> ReadFileBytes(const std::string& path) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return std::nullopt;
    std::string bytes(GetFileSize(file, nullptr), '\0');
    DWORD read = 0;
    const BOOL ok = bytes.empty() ||
                    ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
    CloseHandle(file);
    if (!ok || (!bytes.empty() && read != bytes.size())) return std::nullopt;
    return bytes;
}

void WriteFileBytes(const std::string& path, const std::string& bytes) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return;
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
}

std::vector<std::string> FileNamesIn(const std::string& folder) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA entry;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
        if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(entry.cFileName);
    } while (FindNextFileA(search, &entry));
    FindClose(search);
    std::sort(names.begin(), names.end());
    return names;
}

std::vector<std::pair<std::string, std::string>> TreeSnapshot(const std::string& folder) {
    std::vector<std::pair<std::string, std::string>> files;
    CollectFiles(folder, "", files);
    std::sort(files.begin(), files.end());
    return files;
}

void RemoveTree(const std::string& folder) {
    if (folder_link::IsFolderLink(folder)) return folder_link::RemoveFolderLink(folder);
    WIN32_FIND_DATAA entry;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &entry);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = entry.cFileName;
            if (name == "." || name == "..") continue;
            const std::string path = folder + "\\" + name;
            if (folder_link::IsFolderLink(path)) {
                folder_link::RemoveFolderLink(path);
                continue;
            }
            SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveTree(path);
            } else {
                DeleteFileA(path.c_str());
            }
        } while (FindNextFileA(search, &entry));
        FindClose(search);
    }
    RemoveDirectoryA(folder.c_str());
}

namespace {

bool WaitFor(bool (*exists)(const std::string&), const std::string& path, int timeoutMs) {
    for (int waited = 0;; waited += 50) {
        if (exists(path)) return true;
        if (waited >= timeoutMs) return false;
        Sleep(50);
    }
}

}  // namespace

bool WaitForFile(const std::string& path, int timeoutMs) {
    return WaitFor(FileExists, path, timeoutMs);
}

bool WaitForFolder(const std::string& path, int timeoutMs) {
    return WaitFor(FolderExists, path, timeoutMs);
}

bool RunsUnderWow64() {
    BOOL wow64 = FALSE;
    return IsWow64Process(GetCurrentProcess(), &wow64) && wow64;
}

std::string OutputOf(const std::string& commandLine, int timeoutMs) {
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    const std::string outputPath = std::string(temp) + "vs-e2e-output.txt";
    SECURITY_ATTRIBUTES inherited{sizeof inherited, nullptr, TRUE};
    HANDLE output = CreateFileA(outputPath.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherited,
                                CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (output == INVALID_HANDLE_VALUE) return {};
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = startup.hStdError = output;
    PROCESS_INFORMATION process{};
    std::string line = commandLine;
    if (CreateProcessA(nullptr, line.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup,
                       &process)) {
        WaitForSingleObject(process.hProcess, static_cast<DWORD>(timeoutMs));
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
    CloseHandle(output);
    std::string text = ReadFileBytes(outputPath).value_or("");
    DeleteFileA(outputPath.c_str());
    return text;
}

std::string SmallDriveMissing() {
    ULARGE_INTEGER total{};
    if (GetDiskFreeSpaceExA(kSmallDrive, nullptr, &total, nullptr) &&
        total.QuadPart < (std::uint64_t{1} << 30))
        return {};
    char prefix[MAX_PATH] = {};
    GetEnvironmentVariableA("WINEPREFIX", prefix, MAX_PATH);
    const auto reason = ReadFileBytes(WindowsPathOf(prefix) + "\\small-drive-unavailable.txt");
    return reason ? *reason : "S: is not the small drive of the test's fixture";
}

std::uint64_t FreeBytes(const std::string& folder) {
    ULARGE_INTEGER available{};
    GetDiskFreeSpaceExA(folder.c_str(), &available, nullptr, nullptr);
    return available.QuadPart;
}

void LeaveFree(std::uint64_t bytes) {
    HANDLE file = CreateFileA(kFiller, GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return;
    SetFilePointer(file, 0, nullptr, FILE_END);
    static const std::string block(1 << 20, 'f');
    for (std::uint64_t free = FreeBytes(kSmallDrive); free > bytes; free = FreeBytes(kSmallDrive)) {
        const DWORD piece = static_cast<DWORD>(std::min<std::uint64_t>(free - bytes, block.size()));
        DWORD written = 0;
        if (!WriteFile(file, block.data(), piece, &written, nullptr) || written == 0) break;
    }
    CloseHandle(file);
}

NamedFiles StagedProduct() {
    NamedFiles files;
    for (const std::string& name : FileNamesIn(ProductStagePath()))
        files[name] = ReadFileBytes(ProductStagePath() + "\\" + name).value_or("");
    return files;
}

NamedFiles AgeInstallation(const std::string& dir) {
    NamedFiles earlier = StagedProduct();
    for (auto& [name, bytes] : earlier) {
        for (char& c : bytes)
            c = static_cast<char>(c ^ 0x5A);
        WriteFileBytes(dir + "\\" + name, bytes);
    }
    return earlier;
}

std::vector<std::string> BrokenFiles(const std::string& dir, const NamedFiles& earlier,
                                     const NamedFiles& current, bool temporariesAllowed) {
    std::vector<std::string> broken;
    for (const auto& [name, bytes] : current) {
        const std::optional<std::string> found = ReadFileBytes(dir + "\\" + name);
        if (found != bytes && found != earlier.at(name)) broken.push_back(name);
    }
    for (const std::string& name : FileNamesIn(dir)) {
        if (!temporariesAllowed && name.ends_with(".~vsnew")) broken.push_back(name);
    }
    return broken;
}

std::string DamagedProgramCopy() {
    const std::string payload = ReadFileBytes(ProductPayloadPath()).value_or("");
    std::string program = ReadFileBytes(SetupProgramPath()).value_or("");
    const std::string middle = payload.substr(payload.size() / 2, 64);
    const std::size_t at = program.find(middle);
    if (payload.empty() || at == std::string::npos) return {};
    for (std::size_t i = at; i < at + middle.size(); ++i)
        program[i] = static_cast<char>(program[i] ^ 0x5A);
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    const std::string copy = std::string(temp) + "vs-damaged-setup.exe";
    WriteFileBytes(copy, program);
    return copy;
}

}  // namespace e2e

// Folder links for tests under Windows and Wine. Windows stores a junction as reparse data on an
// empty folder. Wine 8 cannot store reparse data (FSCTL_SET_REPARSE_POINT answers
// ERROR_NOT_SUPPORTED, CreateSymbolicLink reports success and makes nothing), but it shows a
// symbolic link of the host's file system as a folder with FILE_ATTRIBUTE_REPARSE_POINT and
// resolves it in GetFinalPathNameByHandle; there the host's ln makes one.
#pragma once

#include <windows.h>
#include <winioctl.h>

#include <cstring>
#include <string>
#include <vector>

namespace folder_link {

inline bool IsFolderLink(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) &&
           (attributes & FILE_ATTRIBUTE_REPARSE_POINT);
}

inline std::wstring Wide(const std::string& text) {
    std::wstring wide(text.size() + 1, L'\0');
    const int length = MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, wide.data(),
                                           static_cast<int>(wide.size()));
    wide.resize(length > 0 ? length - 1 : 0);
    return wide;
}

// The reparse data of a junction (mount point) that leads to `target`, an absolute path.
inline std::vector<BYTE> JunctionData(const std::wstring& target) {
    const std::wstring substitute = L"\\??\\" + target;
    const WORD substituteBytes = static_cast<WORD>(substitute.size() * sizeof(wchar_t));
    const WORD printBytes = static_cast<WORD>(target.size() * sizeof(wchar_t));
    const WORD pathBytes = substituteBytes + printBytes + 2 * sizeof(wchar_t);
    // Tag, data length and reserved, then the four offsets and lengths, then both names.
    std::vector<BYTE> data(8 + 8 + pathBytes, 0);
    const DWORD tag = IO_REPARSE_TAG_MOUNT_POINT;
    const WORD header[] = {static_cast<WORD>(8 + pathBytes),
                           0,
                           0,
                           substituteBytes,
                           static_cast<WORD>(substituteBytes + sizeof(wchar_t)),
                           printBytes};
    std::memcpy(data.data(), &tag, sizeof tag);
    std::memcpy(data.data() + 4, header, sizeof header);
    std::memcpy(data.data() + 16, substitute.c_str(), substituteBytes);
    std::memcpy(data.data() + 16 + substituteBytes + sizeof(wchar_t), target.c_str(), printBytes);
    return data;
}

inline bool MakeJunction(const std::string& link, const std::string& target) {
    if (!CreateDirectoryA(link.c_str(), nullptr)) return false;
    HANDLE folder = CreateFileA(link.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    bool made = false;
    if (folder != INVALID_HANDLE_VALUE) {
        std::vector<BYTE> data = JunctionData(Wide(target));
        DWORD returned = 0;
        made = DeviceIoControl(folder, FSCTL_SET_REPARSE_POINT, data.data(),
                               static_cast<DWORD>(data.size()), nullptr, 0, &returned, nullptr);
        CloseHandle(folder);
    }
    if (!made) RemoveDirectoryA(link.c_str());
    return made && IsFolderLink(link);
}

// Wine only: the host's path of a Windows path, through Wine's own kernel32 export.
inline std::string HostPath(const std::string& path) {
    using ToHost = char*(CDECL*)(const wchar_t*);
    const auto toHost = reinterpret_cast<ToHost>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
    if (toHost == nullptr) return {};
    char* host = toHost(Wide(path).c_str());
    if (host == nullptr) return {};
    std::string result = host;
    HeapFree(GetProcessHeap(), 0, host);
    return result;
}

// Wine starts programs of the host as well (a host program's handle does not tell when it
// ends, so the caller watches for its effect).
inline bool RunHostProgram(const char* program, std::string commandLine) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(program, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process))
        return false;
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return true;
}

inline bool WaitUntil(bool (*done)(const std::string&), const std::string& path) {
    for (int waited = 0; waited < 10000 && !done(path); waited += 50)
        Sleep(50);
    return done(path);
}

inline bool MakeHostLink(const std::string& link, const std::string& target) {
    const std::string hostLink = HostPath(link), hostTarget = HostPath(target);
    return !hostLink.empty() && !hostTarget.empty() &&
           RunHostProgram("Z:\\bin\\ln",
                          "/bin/ln -s \"" + hostTarget + "\" \"" + hostLink + "\"") &&
           WaitUntil(IsFolderLink, link);
}

// Makes `link` (which must not exist) a link to the existing folder `target`; both are
// absolute Windows paths. False when this system can make neither kind.
inline bool MakeFolderLink(const std::string& link, const std::string& target) {
    return MakeJunction(link, target) || MakeHostLink(link, target);
}

inline bool IsGone(const std::string& path) {
    return GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES;
}

// Removes a folder link, never what it leads to. Wine cannot remove a host's link to a folder
// that holds files; the host's rm does.
inline void RemoveFolderLink(const std::string& link) {
    if (!IsFolderLink(link) || RemoveDirectoryA(link.c_str())) return;
    const std::string hostLink = HostPath(link);
    if (!hostLink.empty() && RunHostProgram("Z:\\bin\\rm", "/bin/rm \"" + hostLink + "\""))
        WaitUntil(IsGone, link);
}

}  // namespace folder_link

#include "tests/e2e/e2e_support.h"

#include <atomic>
#include <string>

namespace e2e {
namespace {

// CMake hands over host paths; Wine sees the host's root as drive Z:.
std::string WindowsPathOf(std::string hostPath) {
    for (char& c : hostPath) {
        if (c == '/') c = '\\';
    }
    return "Z:" + hostPath;
}

void RemoveFolder(const std::string& folder) {
    WIN32_FIND_DATAA entry;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &entry);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            std::string name = entry.cFileName;
            if (name == "." || name == "..") continue;
            std::string path = folder + "\\" + name;
            SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveFolder(path);
            } else {
                DeleteFileA(path.c_str());
            }
        } while (FindNextFileA(search, &entry));
        FindClose(search);
    }
    RemoveDirectoryA(folder.c_str());
}

}  // namespace

std::string ProgramPath() { return WindowsPathOf(VS_PROGRAM_PATH); }
std::string ProbePath() { return WindowsPathOf(VS_PROBE_PATH); }
std::string MenuProbePath() { return WindowsPathOf(VS_MENU_PROBE_PATH); }

ScratchFolder::ScratchFolder() {
    static std::atomic<int> counter{0};
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    path_ = std::string(temp) + "vs-e2e-" + std::to_string(GetCurrentProcessId()) + "-" +
            std::to_string(counter++);
    RemoveFolder(path_);
    CreateDirectoryA(path_.c_str(), nullptr);
}

ScratchFolder::~ScratchFolder() { RemoveFolder(path_); }

std::string ScratchFolder::CopyIn(const std::string& source, const std::string& name) const {
    std::string target = path_ + "\\" + name;
    CopyFileA(source.c_str(), target.c_str(), FALSE);
    return target;
}

}  // namespace e2e

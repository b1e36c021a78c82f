// Shared by the end-to-end tests: scratch folders, copies of the program under other names,
// and the paths of the programs under test.
#pragma once

#include <windows.h>

#include <string>

namespace e2e {

// The built program and the probe, as Windows paths.
std::string ProgramPath();
std::string ProbePath();
// The toolkit window with the wizard's menu.
std::string MenuProbePath();

// A fresh, empty folder below %TEMP%, removed with its files when the object goes.
class ScratchFolder {
public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::string& Path() const { return path_; }
    // Copies `source` into the folder as `name` and returns the copy's path.
    std::string CopyIn(const std::string& source, const std::string& name) const;

private:
    std::string path_;
};

}  // namespace e2e

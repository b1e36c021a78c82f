// A platform for the install and uninstall procedures that keeps its registry in memory, puts
// its special folders in a scratch directory and records what it was asked to do. Shortcuts
// are written as small text files, so that their creation and deletion show on disk.
#pragma once

#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "installer/install_platform.h"

namespace insttest {

struct ShortcutRecord {
    std::string link;
    std::string target;
    std::string description;
    std::string workingDirectory;
};

struct MessageRecord {
    std::string text;
    int style = 0;
    std::string title;
};

class FakeSetupPlatform : public inst::SetupPlatform {
  public:
    using RegistryName = std::pair<int, std::string>;

    // Registry contents: values by root and "key\value" path; keys known to exist.
    std::map<RegistryName, std::string> values;
    std::set<RegistryName> keys;
    std::map<int, std::string> specialFolders;
    std::map<std::string, std::string> environment;
    std::string ownProgram;
    int messageAnswer = rt::kResultOk;
    // Running processes by image name (how many of each), and names that do not end when asked.
    std::map<std::string, int> running;
    std::set<std::string> unstoppable;
    // What every volume has free.
    std::uint64_t freeSpace = std::uint64_t{1} << 40;
    // Writes under HKEY_LOCAL_MACHINE fail, as they do for a user without administrator rights.
    bool refuseMachineWrites = false;

    // What the procedures did, in order ("write 3 path=text", "delete 4 path", ...).
    std::vector<std::string> registryLog;
    std::vector<ShortcutRecord> shortcuts;
    std::vector<std::string> startedPrograms;
    std::vector<std::string> stoppedProcesses;
    std::vector<MessageRecord> messages;

    void SetValue(int root, const std::string& path, const std::string& text);
    bool HasValue(int root, const std::string& path) const;
    std::string Value(int root, const std::string& path) const;

    // The shortcut file's recorded target, description and working directory.
    static std::string ShortcutContent(const std::string& target, const std::string& description,
                                       const std::string& workingDirectory);

    rt::TextValue ReadRegistryText(int root, const rt::TextValue& path,
                                   const rt::TextValue& fallback) override;
    int WriteRegistryText(int root, const rt::TextValue& path, const rt::TextValue& text) override;
    int DeleteRegistryEntry(int root, const rt::TextValue& path) override;
    rt::TextValue SpecialFolder(int csidl) override;
    rt::TextValue EnvironmentText(const rt::TextValue& name) override;
    // As Wine shows the host's files: "/tmp/x" is "Z:\tmp\x".
    rt::TextValue FullPath(const rt::TextValue& path) override;
    // The same with every symbolic link followed; empty when nothing is there.
    rt::TextValue FinalPath(const rt::TextValue& path) override;
    std::optional<std::uint64_t> FreeSpace(const rt::TextValue&) override { return freeSpace; }
    bool CreateShortcut(const rt::TextValue& linkPath, const rt::TextValue& target,
                        const rt::TextValue& description,
                        const rt::TextValue& workingDirectory) override;
    int StartProgram(const rt::TextValue& commandLine) override;
    rt::TextValue OwnProgramPath() override { return ownProgram; }
    inst::StopResult StopProcessNamed(const rt::TextValue& imageName) override;
    int ShowMessage(const rt::TextValue& text, int style, const rt::TextValue& title) override;

  private:
    bool KeyHasContents(int root, const std::string& key) const;
};

}  // namespace insttest

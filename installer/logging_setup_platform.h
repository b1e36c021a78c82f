// A setup platform that writes each change it makes on the machine into the setup log: registry
// values set and deleted, shortcuts made, programs started, processes stopped, and the messages
// shown with their answers. Lookups (registry reads, folders, paths, free space) pass through
// unlogged. Portable.
#pragma once

#include "installer/install_platform.h"
#include "installer/setup_log.h"

namespace inst {

class LoggingSetupPlatform final : public SetupPlatform {
  public:
    LoggingSetupPlatform(SetupPlatform& inner, SetupLog& log) : inner_(inner), log_(log) {}

    rt::TextValue ReadRegistryText(int root, const rt::TextValue& path,
                                   const rt::TextValue& fallback) override {
        return inner_.ReadRegistryText(root, path, fallback);
    }
    int WriteRegistryText(int root, const rt::TextValue& path, const rt::TextValue& text) override;
    int DeleteRegistryEntry(int root, const rt::TextValue& path) override;
    rt::TextValue SpecialFolder(int csidl) override { return inner_.SpecialFolder(csidl); }
    rt::TextValue EnvironmentText(const rt::TextValue& name) override {
        return inner_.EnvironmentText(name);
    }
    rt::TextValue FullPath(const rt::TextValue& path) override { return inner_.FullPath(path); }
    rt::TextValue FinalPath(const rt::TextValue& path) override { return inner_.FinalPath(path); }
    std::optional<std::uint64_t> FreeSpace(const rt::TextValue& folder) override {
        return inner_.FreeSpace(folder);
    }
    bool CreateShortcut(const rt::TextValue& linkPath, const rt::TextValue& target,
                        const rt::TextValue& description,
                        const rt::TextValue& workingDirectory) override;
    int StartProgram(const rt::TextValue& commandLine) override;
    rt::TextValue OwnProgramPath() override { return inner_.OwnProgramPath(); }
    StopResult StopProcessNamed(const rt::TextValue& imageName) override;
    int ShowMessage(const rt::TextValue& text, int style, const rt::TextValue& title) override;

  private:
    SetupPlatform& inner_;
    SetupLog& log_;
};

// "HKEY_CURRENT_USER\<path>" for the registry root codes the setup uses.
rt::TextValue RegistryName(int root, const rt::TextValue& path);

}  // namespace inst

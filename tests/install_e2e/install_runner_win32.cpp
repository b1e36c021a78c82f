// Runs the install procedure as the wizard's install button does, for the end-to-end tests,
// until the wizard exists: the choices come from the command line and the two messages appear
// in the system message box, so that a driver can read and answer them as a person would.
//
//   install_runner --dir D --options ABCD [--damaged] [--log FILE]
//
// ABCD are 0/1 for start with Windows, desktop shortcut, Start-menu shortcuts and removal of
// old configuration files. --damaged installs with a copy of the payload whose stream is
// overwritten. The log receives one line per directory put back and "CloseWizard" when the
// install asked the wizard to close.
#include <objbase.h>
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "installer/install.h"
#include "installer/install_system_platform.h"
#include "resources/payload/embedded_payload.h"

namespace {

struct RunnerArguments {
    inst::InstallOptions options;
    bool damaged = false;
    std::string logPath;
};

RunnerArguments ParseArguments(int argc, char** argv) {
    RunnerArguments arguments;
    for (int i = 1; i + 1 < argc || (i < argc && std::string(argv[i]) == "--damaged"); ++i) {
        const std::string flag = argv[i];
        if (flag == "--damaged") {
            arguments.damaged = true;
            continue;
        }
        const std::string value = argv[++i];
        if (flag == "--dir") arguments.options.InstallPath = value;
        if (flag == "--log") arguments.logPath = value;
        if (flag == "--options" && value.size() == 4) {
            arguments.options.AutoStartup = value[0] == '1';
            arguments.options.CreatDesktopShortcut = value[1] == '1';
            arguments.options.CreatStartMenuShortcut = value[2] == '1';
            arguments.options.RemoveOldConfigFiles = value[3] == '1';
        }
    }
    return arguments;
}

class MessageBoxFrontEnd : public inst::InstallFrontEnd {
  public:
    explicit MessageBoxFrontEnd(std::string logPath) : logPath_(std::move(logPath)) {}

    // The system box has no owner here, so the centring request has nothing to centre on.
    int ShowInstallMessage(const rt::TextValue& text, const rt::TextValue& title, int buttons,
                           int icon, bool) override {
        return MessageBoxA(nullptr, text.c_str(), title.c_str(),
                           static_cast<UINT>(buttons | icon)) -
               1;
    }
    void SetInstallPath(const rt::TextValue& path) override { Log("SetInstallPath:" + path); }
    void CloseWizard() override { Log("CloseWizard"); }

  private:
    void Log(const std::string& line) const {
        if (logPath_.empty()) return;
        if (FILE* log = std::fopen(logPath_.c_str(), "ab")) {
            std::fprintf(log, "%s\r\n", line.c_str());
            std::fclose(log);
        }
    }

    std::string logPath_;
};

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    const RunnerArguments arguments = ParseArguments(__argc, __argv);
    MessageBoxFrontEnd frontEnd(arguments.logPath);
    CoInitialize(nullptr);
    if (arguments.damaged) {
        const std::span<const std::uint8_t> embedded = inst::EmbeddedPayload();
        rt::ByteSet payload(embedded.begin(), embedded.end());
        for (std::size_t i = 0; i < 64 && i < payload.size(); ++i)
            payload[i] ^= 0xA5;
        inst::RunInstall(arguments.options, frontEnd, inst::SystemSetupPlatform(), payload);
    } else {
        inst::RunInstall(arguments.options, frontEnd);
    }
    CoUninitialize();
    return 0;
}

// Runs the install procedure as the wizard's install button does, for the end-to-end tests,
// until the wizard exists: the choices come from the command line and the two messages appear
// in the system message box, so that a driver can read and answer them as a person would.
//
//   install_runner --dir D --options ABCD [--damage KIND] [--log FILE]
//
// ABCD are 0/1 for start with Windows, desktop shortcut, Start-menu shortcuts and removal of
// old configuration files. --damage installs a broken payload instead of the product's own:
// "stream" (its stream overwritten), "size" (a few bytes that declare 1.5 GiB), "checksum" (the
// recorded image checksum differs) or "archive" (an image that is no archive). The log
// receives one line per directory put back and "CloseWizard" when the install asked the wizard
// to close.
#include <objbase.h>
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "installer/archive_format.h"
#include "installer/install.h"
#include "installer/install_system_platform.h"
#include "installer/payload_encoder.h"
#include "resources/payload/embedded_payload.h"

namespace {

struct RunnerArguments {
    inst::InstallOptions options;
    std::string damage;
    std::string logPath;
};

RunnerArguments ParseArguments(int argc, char** argv) {
    RunnerArguments arguments;
    for (int i = 1; i + 1 < argc; ++i) {
        const std::string flag = argv[i];
        const std::string value = argv[++i];
        if (flag == "--dir") arguments.options.InstallPath = value;
        if (flag == "--log") arguments.logPath = value;
        if (flag == "--damage") arguments.damage = value;
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

// The payload to install for a kind of damage, kept in `bytes`.
inst::ShippedPayload BrokenPayload(const std::string& damage, rt::ByteSet& bytes) {
    const std::span<const std::uint8_t> embedded = inst::EmbeddedPayload();
    std::uint32_t checksum = inst::EmbeddedImageChecksum();
    bytes.assign(embedded.begin(), embedded.end());
    if (damage == "stream") {
        for (std::size_t i = 0; i < 64 && i < bytes.size(); ++i)
            bytes[i] ^= 0xA5;
    } else if (damage == "size") {
        bytes = {0x00, 0x41, 0x42, 0x43, 0x5D, 0x00, 0x00, 0x00, 0x04};
        inst::AppendU32(bytes, 3u << 29);
    } else if (damage == "checksum") {
        checksum ^= 1;
    } else if (damage == "archive") {
        const rt::ByteSet image(5000, 'x');
        inst::PackPayload(image, inst::PayloadOptions{}, bytes);
        checksum = inst::ImageChecksum(image);
    }
    return {bytes, checksum};
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    const RunnerArguments arguments = ParseArguments(__argc, __argv);
    MessageBoxFrontEnd frontEnd(arguments.logPath);
    CoInitialize(nullptr);
    if (!arguments.damage.empty()) {
        rt::ByteSet bytes;
        inst::RunInstall(arguments.options, frontEnd, inst::SystemSetupPlatform(),
                         BrokenPayload(arguments.damage, bytes));
    } else {
        inst::RunInstall(arguments.options, frontEnd);
    }
    CoUninitialize();
    return 0;
}

// Runs the install procedure as the wizard's install button does, for the end-to-end tests,
// until the wizard exists: the choices come from the command line and the two messages appear
// in the system message box, so that a driver can read and answer them as a person would.
//
//   install_runner --dir D --options ABCD [--damage KIND] [--log FILE] [--clicks N]
//                  [--fill-at PERMILLE --fill FILE] [--kill-at PERMILLE]
//
// ABCD are 0/1 for start with Windows, desktop shortcut, Start-menu shortcuts and removal of
// old configuration files. --damage installs a broken payload instead of the product's own:
// "stream" (its stream overwritten), "size" (a few bytes that declare 1.5 GiB), "checksum" (the
// recorded image checksum differs) or "archive" (an image that is no archive). The log
// receives one line per directory put back and "CloseWizard" when the install asked the wizard
// to close.
//
// --clicks presses the button again after an install that could not finish, up to N presses
// in all. Once the writing of the files has reached PERMILLE thousandths of the bytes (0: the
// moment it starts), --fill-at lets another writer take every free byte of FILE's volume into
// FILE (once per run), and --kill-at ends the process on the spot, as a power loss or a killed
// process would.
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
    int clicks = 1;
    int fillAt = -1;  // permille; below 0 for none
    std::string fillPath;
    int killAt = -1;
};

// The exit code of a run ended by --kill-at.
constexpr UINT kKilledExitCode = 99;

RunnerArguments ParseArguments(int argc, char** argv) {
    RunnerArguments arguments;
    for (int i = 1; i + 1 < argc; ++i) {
        const std::string flag = argv[i];
        const std::string value = argv[++i];
        if (flag == "--dir") arguments.options.InstallPath = value;
        if (flag == "--log") arguments.logPath = value;
        if (flag == "--damage") arguments.damage = value;
        if (flag == "--clicks") arguments.clicks = std::atoi(value.c_str());
        if (flag == "--fill-at") arguments.fillAt = std::atoi(value.c_str());
        if (flag == "--fill") arguments.fillPath = value;
        if (flag == "--kill-at") arguments.killAt = std::atoi(value.c_str());
        if (flag == "--options" && value.size() == 4) {
            arguments.options.AutoStartup = value[0] == '1';
            arguments.options.CreatDesktopShortcut = value[1] == '1';
            arguments.options.CreatStartMenuShortcut = value[2] == '1';
            arguments.options.RemoveOldConfigFiles = value[3] == '1';
        }
    }
    return arguments;
}

// Writes until the volume is full, and keeps the file.
void FillVolume(const std::string& path) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return;
    static char block[64 * 1024];
    for (DWORD piece = sizeof block; piece > 0; piece /= 2) {
        DWORD written = 0;
        while (WriteFile(file, block, piece, &written, nullptr) && written == piece) {
        }
    }
    CloseHandle(file);
}

class MessageBoxFrontEnd : public inst::InstallFrontEnd {
  public:
    explicit MessageBoxFrontEnd(const RunnerArguments& arguments) : arguments_(arguments) {}

    // The system box has no owner here, so the centring request has nothing to centre on.
    int ShowInstallMessage(const rt::TextValue& text, const rt::TextValue& title, int buttons,
                           int icon, bool) override {
        return MessageBoxA(nullptr, text.c_str(), title.c_str(),
                           static_cast<UINT>(buttons | icon)) -
               1;
    }
    void SetInstallPath(const rt::TextValue& path) override { Log("SetInstallPath:" + path); }
    void CloseWizard() override { Log("CloseWizard"); }
    // Decoding is the first half of the count and ends at exactly its middle; the writing's
    // first report comes at the middle again.
    void ShowProgress(std::uint64_t done, std::uint64_t total) override {
        if (done == 0) decoded_ = false;
        if (!decoded_) {
            decoded_ = 2 * done >= total;
            return;
        }
        const std::uint64_t writing = 2 * done - total;
        const auto reached = [&](int permille) {
            return permille >= 0 && writing * 1000 >= total * static_cast<std::uint64_t>(permille);
        };
        if (reached(arguments_.killAt)) TerminateProcess(GetCurrentProcess(), kKilledExitCode);
        if (reached(arguments_.fillAt) && !filled_) {
            filled_ = true;
            FillVolume(arguments_.fillPath);
        }
    }

  private:
    void Log(const std::string& line) const {
        if (arguments_.logPath.empty()) return;
        if (FILE* log = std::fopen(arguments_.logPath.c_str(), "ab")) {
            std::fprintf(log, "%s\r\n", line.c_str());
            std::fclose(log);
        }
    }

    const RunnerArguments& arguments_;
    bool decoded_ = false;
    bool filled_ = false;
};

bool CouldNotFinish(inst::InstallOutcome outcome) {
    return outcome == inst::InstallOutcome::kNoRoom || outcome == inst::InstallOutcome::kIncomplete;
}

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
    MessageBoxFrontEnd frontEnd(arguments);
    CoInitialize(nullptr);
    if (!arguments.damage.empty()) {
        rt::ByteSet bytes;
        inst::RunInstall(arguments.options, frontEnd, inst::SystemSetupPlatform(),
                         BrokenPayload(arguments.damage, bytes));
    } else {
        for (int click = 1; click <= arguments.clicks; ++click) {
            if (!CouldNotFinish(inst::RunInstall(arguments.options, frontEnd))) break;
        }
    }
    CoUninitialize();
    return 0;
}

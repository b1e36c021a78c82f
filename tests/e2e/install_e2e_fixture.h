// A clean machine for each end-to-end test (in the tests' own Wine prefix): no settings, no
// auto-start value, no uninstall entry, no shortcuts and no install directory; and the runs of
// the install runner, the installed uninstaller and the product, answered as a person would.
#pragma once

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "tests/e2e/install_e2e_support.h"
#include "tools/uidriver/launched_process.h"
#include "tools/uidriver/ui_driver.h"

namespace e2e {

// The folders as the system running the test reports them to this process (a program of the
// same build as the product): Program Files is the x86 folder for a 32-bit program on 64-bit
// Windows and the only one on 32-bit Windows.
inline const std::string kProgramFiles = SystemFolder(CSIDL_PROGRAM_FILES);
inline const std::string kDefaultDir = kProgramFiles + "\\Korrel\\VantorFenWix";
inline const std::string kCommonDesktop = SystemFolder(CSIDL_COMMON_DESKTOPDIRECTORY);
inline const std::string kCommonPrograms = SystemFolder(CSIDL_COMMON_PROGRAMS);
inline constexpr char kSettingsKey[] = "Software\\VantorFenWix";
inline constexpr char kRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr char kUninstallKey[] =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\VantorFenWix";
inline constexpr int kBoxMs = 20000;
inline constexpr int kRunMs = 90000;

// A message box as the driver found it.
struct ShownBox {
    HWND handle = nullptr;
    std::string title;
    std::string text;
};

class InstallE2E : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    // Starts the runner with the directory and the four choices ("1111"), with the product's
    // payload or a broken one, and further switches (see install_runner_win32.cpp).
    std::optional<LaunchedProcess> StartInstall(const std::string& dir, const std::string& options,
                                                const std::string& damage = {},
                                                const std::string& more = {});
    // Installs and waits until the runner has ended; fails the test on any message box.
    void Install(const std::string& dir, const std::string& options);

    // The next message box of the process (with this title, when given), with its text.
    std::optional<ShownBox> WaitForBox(const LaunchedProcess& process, int timeoutMs = kBoxMs,
                                       const std::optional<std::string>& title = std::nullopt);
    // Presses the button and waits until the box has gone.
    void Answer(const ShownBox& box, int buttonId);
    void ExpectEnds(LaunchedProcess& process);

    // What the runner's front end was asked to do, one line each.
    std::string RunnerLog() const;

    // What an install changes, for comparisons: the settings, the Run key, the uninstall
    // entry, the shortcuts, and every file on the small drive with its size.
    std::vector<std::string> MachineState() const;

    std::string StartMenu(const std::string& relative) const;

    // What a wizard's install left in `dir` with the boxes as chosen ("1010": the first three
    // boxes auto-start, desktop shortcut, Start menu shortcut): files, settings, the Run value,
    // the shortcuts, the uninstall entry and the updater's run.
    void ExpectInstalledAsChosen(const std::string& dir, const std::string& boxes) const;
    std::string ProductFile(const std::string& name) const { return kDefaultDir + "\\" + name; }

  private:
    std::string logPath_;
};

}  // namespace e2e

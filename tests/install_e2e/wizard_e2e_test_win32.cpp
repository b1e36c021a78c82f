// The wizard as a person uses it: the real program under Wine in a prefix of its own, driven
// with real mouse and keyboard input, judged by what the screen shows and what is left on the
// machine afterwards.
#include <gtest/gtest.h>

#include "tests/install_e2e/install_e2e_fixture.h"
#include "tests/install_e2e/install_e2e_support.h"
#include "tools/uidriver/launched_process.h"
#include "tools/uidriver/ui_driver.h"

namespace e2e {
namespace {

constexpr int kAppearMs = 20000;
constexpr int kSettleMs = 400;

// Where a person points, in the wizard's client pixels.
constexpr POINT kBoxes[4] = {{30, 153}, {30, 177}, {30, 201}, {30, 225}};  // inside each box
constexpr POINT kInstall{230, 285};
constexpr POINT kClose{439, 11}, kMinimise{411, 11};

struct Wizard {
    LaunchedProcess process;
    HWND window = nullptr;
};

class WizardE2E : public InstallE2E {
  protected:
    std::optional<Wizard> StartWizard() {
        auto process = LaunchedProcess::Start(SetupProgramPath());
        if (!process) return std::nullopt;
        WindowQuery query;
        query.className = "FenWix";
        query.processId = process->Id();
        auto window = WaitForWindow(query, kAppearMs);
        if (!window) return std::nullopt;
        return Wizard{std::move(*process), window->handle};
    }

    // The four boxes as the screen shows them ("1110"), once the saved choices are in.
    static std::string Boxes(HWND window) {
        std::string shown;
        for (int waited = 0; waited < 5000; waited += 100) {
            Sleep(100);
            shown.clear();
            for (POINT at : kBoxes)
                shown += Blue(window, at) ? '1' : '0';
            if (shown != "0000") break;
        }
        return shown;
    }

    static void Click(HWND window, POINT at) {
        ClickAt(window, at.x, at.y);
        Sleep(kSettleMs);
    }

  private:
    // The checked box is filled with blue; the unchecked one is white.
    static bool Blue(HWND window, POINT at) {
        ClientToScreen(window, &at);
        HDC screen = GetDC(nullptr);
        const COLORREF colour = GetPixel(screen, at.x, at.y);
        ReleaseDC(nullptr, screen);
        return GetBValue(colour) > 180 && GetRValue(colour) < 130;
    }
};

TEST_F(WizardE2E, FirstRunInstallsWithTheBoxesAsTheUserLeftThem) {
    auto wizard = StartWizard();
    ASSERT_TRUE(wizard) << "the wizard did not appear";
    EXPECT_EQ(Boxes(wizard->window), "1110");
    Click(wizard->window, kBoxes[1]);  // no desktop shortcut
    EXPECT_EQ(Boxes(wizard->window), "1010");
    Click(wizard->window, kInstall);

    ExpectEnds(wizard->process);
    EXPECT_FALSE(IsWindow(wizard->window));
    const std::string dir = kDefaultDir;
    EXPECT_EQ(RegistryText(HKEY_CURRENT_USER, kSettingsKey, "InstallPath"), dir);
    EXPECT_EQ(RegistryText(HKEY_CURRENT_USER, kSettingsKey, "CreatDesktopShortcut"), "0");
    EXPECT_EQ(RegistryText(HKEY_CURRENT_USER, kSettingsKey, "AutoStartup"), "1");
    EXPECT_EQ(RegistryText(HKEY_CURRENT_USER, kRunKey, "VantorFenwix"),
              "\"" + dir + "\\VantorFenwix.exe\"");
    EXPECT_TRUE(FileExists(dir + "\\VantorFenwix.exe"));
    EXPECT_TRUE(FileExists(dir + "\\uninstall.exe"));
    EXPECT_FALSE(FileExists(std::string(kCommonDesktop) + "\\VantorSaelin.lnk"));
    auto link = ReadShortcut(StartMenu("\\VantorFenWix\\VantorSaelin.lnk"));
    ASSERT_TRUE(link);
    EXPECT_EQ(link->target, dir + "\\VantorFenwix.exe");
    EXPECT_EQ(RegistryText(HKEY_LOCAL_MACHINE, kUninstallKey, "UninstallString"),
              dir + "\\uninstall.exe");
    EXPECT_TRUE(WaitForFile(dir + "\\updatelist.xml", 15000)) << "the updater did not run";
}

TEST_F(WizardE2E, TheTitleBarButtonsMinimiseAndClose) {
    auto wizard = StartWizard();
    ASSERT_TRUE(wizard);
    Boxes(wizard->window);
    Click(wizard->window, kMinimise);
    EXPECT_TRUE(IsIconic(wizard->window));
    ShowWindow(wizard->window, SW_RESTORE);
    Sleep(kSettleMs);

    Click(wizard->window, kClose);
    ExpectEnds(wizard->process);
    EXPECT_FALSE(RegistryKeyExists(HKEY_CURRENT_USER, kSettingsKey)) << "nothing is installed";
}

}  // namespace
}  // namespace e2e

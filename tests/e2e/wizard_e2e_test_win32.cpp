// The wizard as a person uses it: the real program under Wine in a prefix of its own, driven
// with real mouse and keyboard input, judged by what the screen shows, what the directory box
// copies to the clipboard, and what is left on the machine afterwards.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "tests/e2e/install_e2e_fixture.h"
#include "tests/e2e/install_e2e_support.h"
#include "tests/e2e/wizard_clicks.h"
#include "tools/uidriver/launched_process.h"
#include "tools/uidriver/ui_driver.h"

namespace e2e {
namespace {

// Where a person points, in the wizard's client pixels (and wizard_clicks.h).
constexpr POINT kDirEdit{240, 123}, kBrowse{418, 123};
constexpr POINT kClose{439, 11}, kMinimise{411, 11}, kMenu{383, 11};
// The middle row of the progress bar under the install button.
constexpr int kBarLeft = 140, kBarWidth = 180, kBarRow = 321;
// "退出", the last of the menu's four 22-pixel rows below its 8-pixel margin.
constexpr POINT kMenuExit{48, 8 + 3 * 22 + 11};

// A path with a space and a Chinese folder name.
const std::string kTypedDir = "C:\\My Apps\\工具\\VantorFenWix";

class WizardE2E : public InstallE2E {
  protected:
    void TearDown() override {
        SetEnvironmentVariableA("VANTORSAELIN_TEST_FOLDER_CHOICES", nullptr);
        SetEnvironmentVariableA("VANTORSAELIN_TEST_PROGRESS_PAUSE_MS", nullptr);
        InstallE2E::TearDown();
    }

    // What the directory box holds, as Ctrl+A, Ctrl+C put it on the clipboard (emptied first,
    // so a late copy is waited for, never mistaken for the earlier text).
    static std::string DirText(HWND window) {
        if (OpenClipboard(nullptr)) {
            EmptyClipboard();
            CloseClipboard();
        }
        Click(window, kDirEdit);
        PressChord(window, {VK_CONTROL, 'A'});
        PressChord(window, {VK_CONTROL, 'C'});
        std::string text;
        for (int waited = 0; text.empty() && waited < 5000; waited += 100) {
            Sleep(100);
            text = ClipboardText();
        }
        return text;
    }

    // Clicks the toolkit message box's button `fromRight` (1 the rightmost: 确认 or 否(&N)).
    // Returns once the box has gone (false when it stays).
    static bool AnswerBox(HWND box, int fromRight) {
        for (int waited = 0; !IsWindowVisible(box) && waited < 5000; waited += 100)
            Sleep(100);
        Sleep(kSettleMs);  // laid out and shown
        RECT rect{};
        GetClientRect(box, &rect);
        Click(box, {rect.right - 45 - (fromRight - 1) * 78, rect.bottom - 23});
        for (int waited = 0; IsWindow(box) && waited < 10000; waited += 100)
            Sleep(100);
        return !IsWindow(box);
    }

    // How far the screen shows the progress bar filled, in pixels from its left end.
    static int BarFilled(HWND window) {
        POINT origin{kBarLeft, kBarRow};
        ClientToScreen(window, &origin);
        HDC screen = GetDC(nullptr);
        int filled = 0;
        for (int x = 0; x < kBarWidth; x += 2) {
            const COLORREF colour = GetPixel(screen, origin.x + x, origin.y);
            if (GetBValue(colour) > 180 && GetRValue(colour) < 130) filled = x + 1;
        }
        ReleaseDC(nullptr, screen);
        return filled;
    }

  private:
    static std::string ClipboardText() {
        std::string text;
        if (!OpenClipboard(nullptr)) return text;
        if (HANDLE data = GetClipboardData(CF_TEXT)) {
            if (const char* bytes = static_cast<const char*>(GlobalLock(data))) text = bytes;
            GlobalUnlock(data);
        }
        CloseClipboard();
        return text;
    }
};

TEST_F(WizardE2E, FirstRunInstallsWhereTheUserTypedWithTheBoxesAsTheUserLeftThem) {
    auto wizard = StartWizard();
    ASSERT_TRUE(wizard) << "the wizard did not appear";
    EXPECT_EQ(Boxes(wizard->window, "1110"), "1110");
    EXPECT_EQ(DirText(wizard->window), kDefaultDir);
    PressChord(wizard->window, {VK_CONTROL, 'A'});
    TypeText(wizard->window, kTypedDir);
    Click(wizard->window, kBoxes[1]);  // no desktop shortcut
    EXPECT_EQ(Boxes(wizard->window, "1010"), "1010");
    EXPECT_EQ(DirText(wizard->window), kTypedDir);
    Click(wizard->window, kInstall);

    ExpectEnds(wizard->process);
    EXPECT_FALSE(IsWindow(wizard->window));
    ExpectInstalledAsChosen(kTypedDir, "1010");

    // The second run shows what the first one saved.
    auto second = StartWizard();
    ASSERT_TRUE(second);
    EXPECT_EQ(Boxes(second->window, "1010"), "1010");
    EXPECT_EQ(DirText(second->window), kTypedDir);
    Click(second->window, kClose);
    ExpectEnds(second->process);
    RemoveTree("C:\\My Apps");
}

TEST_F(WizardE2E, WhileUnpackingTheBarGrowsAndTheCloseButtonIsIgnored) {
    SetEnvironmentVariableA("VANTORSAELIN_TEST_PROGRESS_PAUSE_MS", "150");  // a visible moment
    auto wizard = StartWizard(TestProgramPath());
    ASSERT_TRUE(wizard);
    Boxes(wizard->window);
    EXPECT_EQ(BarFilled(wizard->window), 0) << "a bar before the install";
    Click(wizard->window, kInstall);

    std::vector<int> seen;  // each new fill the screen showed
    int atClose = -1;
    // The closing animation makes the window layered, fades it and destroys it: only a fill read
    // while the window was plain both before and after the read shows the bar as it is (a slow
    // read can see the fade begin, and the window gone, before it ends).
    const auto plain = [&] {
        return IsWindow(wizard->window) && IsWindowVisible(wizard->window) &&
               !(GetWindowLongW(wizard->window, GWL_EXSTYLE) & WS_EX_LAYERED);
    };
    for (int waited = 0; plain() && waited < 60000; waited += 100) {
        const int filled = BarFilled(wizard->window);
        if (!plain()) break;
        if (filled > 0 && (seen.empty() || filled != seen.back())) seen.push_back(filled);
        if (atClose < 0 && filled > 0 && filled < kBarWidth / 2) {
            atClose = filled;
            ClickAt(wizard->window, kClose.x, kClose.y);  // also comes during unpacking
            ClickAt(wizard->window, kInstall.x, kInstall.y);
        }
        Sleep(100);
    }
    ExpectEnds(wizard->process);
    ASSERT_GE(atClose, 0) << "the bar never showed";
    EXPECT_TRUE(std::is_sorted(seen.begin(), seen.end()))
        << "the bar went back" << ::testing::PrintToString(seen);
    EXPECT_GE(seen.size(), 3u) << "the window did not keep repainting";
    EXPECT_GT(seen.back(), atClose) << "the close click stopped the install";
    EXPECT_TRUE(FileExists(ProductFile("VantorFenwix.exe")));
    EXPECT_TRUE(FileExists(ProductFile("uninstall.exe")));
    EXPECT_TRUE(WaitForFile(ProductFile("updatelist.xml"), 15000)) << "the updater did not run";
}

// An empty directory is answered with the default one; a drive root is refused: the uninstall
// would later delete the updater's folders there.
TEST_F(WizardE2E, AnEmptyDirectoryAsksForTheDefaultAndADriveRootIsRefused) {
    const struct {
        std::string typed;
        int button;  // from the right: 2 是(&Y), 1 确认
        std::string afterwards;
    } cases[] = {{"", 2, kDefaultDir}, {"D:\\", 1, "D:\\"}, {"C:\\", 1, "C:\\"}};
    for (const auto& c : cases) {
        auto wizard = StartWizard();
        ASSERT_TRUE(wizard);
        Boxes(wizard->window);
        Click(wizard->window, kDirEdit);
        PressChord(wizard->window, {VK_CONTROL, 'A'});
        PressChord(wizard->window, {VK_DELETE});
        if (!c.typed.empty()) TypeText(wizard->window, c.typed);
        Click(wizard->window, kInstall);
        auto box = WindowOf(wizard->process, "Ui_Surface", "VantorSaelin 安装向导", kAppearMs);
        ASSERT_TRUE(box) << "no message for \"" << c.typed << "\"";
        EXPECT_TRUE(AnswerBox(*box, c.button));
        EXPECT_EQ(DirText(wizard->window), c.afterwards);
        EXPECT_FALSE(RegistryKeyExists(HKEY_CURRENT_USER, kSettingsKey)) << "nothing is installed";
        EXPECT_FALSE(FileExists("C:\\uninstall.exe"));
        Click(wizard->window, kClose);
        ExpectEnds(wizard->process);
    }
}

TEST_F(WizardE2E, TheTitleBarMinimisesAndItsMenuAndCloseButtonCloseWithTheShadowFirst) {
    for (bool byMenu : {true, false}) {
        auto wizard = StartWizard();
        ASSERT_TRUE(wizard);
        Boxes(wizard->window);
        EXPECT_TRUE(WindowOf(wizard->process, "ShadowWnd")) << "no shadow";
        Click(wizard->window, kMinimise);
        EXPECT_TRUE(IsIconic(wizard->window));
        ShowWindow(wizard->window, SW_RESTORE);
        Sleep(kSettleMs);
        if (byMenu) {
            Click(wizard->window, kMenu);
            auto menu = WindowOf(wizard->process, "Ui_Surface", "Ui_Surface_Menu", kAppearMs);
            ASSERT_TRUE(menu) << "the menu did not open";
            Click(*menu, kMenuExit);
        } else {
            Click(wizard->window, kClose);
        }
        ExpectEnds(wizard->process);
        EXPECT_FALSE(RegistryKeyExists(HKEY_CURRENT_USER, kSettingsKey));
    }
}

TEST_F(WizardE2E, TheBrowsedFolderBecomesTheInstallDirectory) {
    // The browser's answers, one per click; the empty last one is a cancelled browser.
    SetEnvironmentVariableA("VANTORSAELIN_TEST_FOLDER_CHOICES",
                            "D:\\Games|D:\\|D:\\Korrel|D:\\Games\\VantorFenWix|"
                            "D:\\Games\\vantorfenwix||");
    auto wizard = StartWizard(TestProgramPath());
    ASSERT_TRUE(wizard);
    Boxes(wizard->window);
    for (const char* expected :
         {"D:\\Games\\Korrel\\VantorFenWix", "D:\\Korrel\\VantorFenWix", "D:\\Korrel\\VantorFenWix",
          "D:\\Games\\VantorFenWix", "D:\\Games\\vantorfenwix\\Korrel\\VantorFenWix",
          "D:\\Games\\vantorfenwix\\Korrel\\VantorFenWix"}) {
        Click(wizard->window, kBrowse);
        EXPECT_EQ(DirText(wizard->window), expected);
    }
    Click(wizard->window, kClose);
    ExpectEnds(wizard->process);
}

// The program's log of a run with the wizard (/LOG=), read after it ended.
class LoggedWizardE2E : public WizardE2E {
  protected:
    void SetUp() override {
        WizardE2E::SetUp();
        char temp[MAX_PATH] = {};
        GetTempPathA(MAX_PATH, temp);
        logPath_ = std::string(temp) + "vs-wizard.log";
        DeleteFileA(logPath_.c_str());
    }
    void TearDown() override {
        DeleteFileA(logPath_.c_str());
        WizardE2E::TearDown();
    }
    // The wizard with its log, the directory typed in once the saved choices are shown.
    std::optional<Wizard> StartLoggedWizard(const std::string& dir) {
        auto wizard = StartWizard(SetupProgramPath(), "\"/LOG=" + logPath_ + "\"");
        if (!wizard) return wizard;
        Boxes(wizard->window);
        Click(wizard->window, kDirEdit);
        PressChord(wizard->window, {VK_CONTROL, 'A'});
        TypeText(wizard->window, dir);
        return wizard;
    }
    // Whether the log holds this line, given in UTF-8 as the log is written.
    bool Logged(const char8_t* line) const {
        return ReadFileBytes(logPath_).value_or("").find(reinterpret_cast<const char*>(line)) !=
               std::string::npos;
    }

  private:
    std::string logPath_;
};

// A drive with 8 MB free for an install of about 50 MB: the box says so, the wizard stays
// open, and nothing on the machine has changed.
TEST_F(LoggedWizardE2E, ADriveWithoutRoomIsToldInABoxAndNothingChanges) {
    if (const std::string missing = SmallDriveMissing(); !missing.empty()) GTEST_SKIP() << missing;
    RemoveTree("S:\\VS");
    DeleteFileA(kFiller);
    LeaveFree(8u << 20);
    const std::vector<std::string> before = MachineState();
    auto wizard = StartLoggedWizard("S:\\VS");
    ASSERT_TRUE(wizard);
    Click(wizard->window, kInstall);
    auto box = WindowOf(wizard->process, "Ui_Surface", "VantorSaelin 安装向导", kAppearMs);
    ASSERT_TRUE(box) << "no box";
    EXPECT_TRUE(AnswerBox(*box, 1));  // 确认
    EXPECT_TRUE(IsWindowVisible(wizard->window)) << "the wizard closed";
    EXPECT_EQ(MachineState(), before);
    Click(wizard->window, kClose);
    ExpectEnds(wizard->process);
    EXPECT_TRUE(Logged(u8"message: VantorSaelin 安装向导: 磁盘空间不足，无法安装。 | 需要 "));
    EXPECT_TRUE(Logged(u8" MB，可用 8.0 MB。 -> OK"));
    DeleteFileA(kFiller);
}

// A program holds one file of the earlier installation open without sharing: the box names
// it, that file keeps its bytes and the others are the new ones, the updater does not start.
// Once the file is let go, the second click completes.
TEST_F(LoggedWizardE2E, AFileHeldOpenIsNamedAndTheNextClickCompletes) {
    Install(kDefaultDir, "0000");
    const std::string updateList = ProductFile("updatelist.xml");
    ASSERT_TRUE(WaitForFile(updateList, 15000));
    DeleteFileA(updateList.c_str());
    const NamedFiles current = StagedProduct();
    const NamedFiles earlier = AgeInstallation(kDefaultDir);
    const std::string heldFile = ProductFile("VantorCore.dll");
    HANDLE held =
        CreateFileA(heldFile.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);

    auto wizard = StartLoggedWizard(kDefaultDir);
    ASSERT_TRUE(wizard);
    Click(wizard->window, kInstall);
    auto box = WindowOf(wizard->process, "Ui_Surface", "VantorSaelin 安装向导", kAppearMs);
    CloseHandle(held);
    ASSERT_TRUE(box) << "no box";
    EXPECT_TRUE(ReadFileBytes(heldFile) == earlier.at("VantorCore.dll"));
    for (const auto& [name, bytes] : current) {
        EXPECT_TRUE(name == "VantorCore.dll" || ReadFileBytes(ProductFile(name)) == bytes) << name;
    }
    EXPECT_TRUE(FileNamesIn(kDefaultDir).size() == current.size() + 1) << "a temporary file stayed";
    EXPECT_FALSE(FileExists(updateList)) << "the updater was started";
    EXPECT_TRUE(AnswerBox(*box, 1));

    Click(wizard->window, kInstall);
    ExpectEnds(wizard->process);
    EXPECT_TRUE(BrokenFiles(kDefaultDir, current, current, false).empty());
    EXPECT_TRUE(WaitForFile(updateList, 15000)) << "the updater did not run";
    EXPECT_TRUE(
        Logged(u8"message: VantorSaelin 安装向导: 安装未完成：1 个文件无法写入。 | 首个文件："));
    EXPECT_TRUE(Logged(u8"\\VantorCore.dll | 原因："));
}

// The shipped program takes no test hook from its environment, which whoever starts an elevated
// program controls: the folder browser is the shell's, and the unpacking does not pause.
TEST_F(WizardE2E, TheShippedProgramTakesNoTestHookFromItsEnvironment) {
    SetEnvironmentVariableA("VANTORSAELIN_TEST_FOLDER_CHOICES", "D:\\Games|D:\\Other");
    SetEnvironmentVariableA("VANTORSAELIN_TEST_PROGRESS_PAUSE_MS", "60000");  // a minute a report
    auto wizard = StartWizard();
    ASSERT_TRUE(wizard);
    Boxes(wizard->window);
    Click(wizard->window, kBrowse);
    auto browser = WindowOf(wizard->process, "#32770");
    ASSERT_TRUE(browser) << "the shell's folder browser did not appear";
    EXPECT_TRUE(ClickButton(*browser, IDCANCEL));
    Sleep(kSettleMs);
    EXPECT_EQ(DirText(wizard->window), kDefaultDir);
    const DWORD start = GetTickCount();
    Click(wizard->window, kInstall);
    ExpectEnds(wizard->process);
    EXPECT_LT(GetTickCount() - start, 60000u) << "the unpacking paused";
    EXPECT_TRUE(FileExists(ProductFile("VantorFenwix.exe")));
}

// However quickly the install button is pressed again, and also while a box of the install is
// up, one install runs: the log has one decoding of the payload.
TEST_F(WizardE2E, AQuickSecondClickOrOneDuringABoxOfTheInstallStartsNoSecondInstall) {
    const std::string damaged = DamagedProgramCopy();
    ASSERT_FALSE(damaged.empty()) << "the payload was not found in the program";
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    const std::string log = std::string(temp) + "vs-one-install.log";
    for (const std::string& program : {SetupProgramPath(), damaged}) {
        DeleteFileA(log.c_str());
        auto wizard = StartWizard(program, "\"/LOG=" + log + "\"");
        ASSERT_TRUE(wizard);
        Boxes(wizard->window);
        ClickAt(wizard->window, kInstall.x, kInstall.y);
        ClickAt(wizard->window, kInstall.x, kInstall.y);
        if (program == damaged) {
            // Clicks on until the install's "解压失败！" is up, and once more while it is.
            std::optional<HWND> box;
            for (int waited = 0; !box && waited < kAppearMs; waited += 60) {
                ClickAt(wizard->window, kInstall.x, kInstall.y);
                box = WindowOf(wizard->process, "Ui_Surface", "VantorSaelin 安装向导", 0);
            }
            ASSERT_TRUE(box) << "the damaged payload was not reported";
            Click(wizard->window, kInstall);
            EXPECT_TRUE(AnswerBox(*box, 1));
            EXPECT_FALSE(WindowOf(wizard->process, "Ui_Surface", "VantorSaelin 安装向导", 1000))
                << "a second install reported the damage again";
            Click(wizard->window, kClose);
        }
        ExpectEnds(wizard->process);
        const std::string written = ReadFileBytes(log).value_or("");
        std::size_t decodings = 0;
        for (std::size_t at = written.find("payload decoded"); at != std::string::npos;
             at = written.find("payload decoded", at + 1))
            ++decodings;
        EXPECT_EQ(decodings, 1u) << program << "\n" << written;
    }
    DeleteFileA(log.c_str());
    DeleteFileA(damaged.c_str());
}

}  // namespace
}  // namespace e2e

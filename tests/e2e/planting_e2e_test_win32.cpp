// Libraries planted beside the elevated program, as any web page can drop files into a Downloads
// folder, and beside the installed uninstall.exe: with the search order Windows has for names
// that are not known libraries (the program's folder first; under Wine: native before builtin
// for the planted names), the program loads none of them.
#include <windows.h>
// After windows.h, which it builds on.
#include <oleacc.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include "tests/e2e/install_e2e_fixture.h"

namespace e2e {
namespace {

// The names this test's environment loads native-first: those it plants (the list and how it
// was found are in CMakeLists.txt), sorted.
std::vector<std::string> PlantedNames() {
    char overrides[4096] = {};
    GetEnvironmentVariableA("WINEDLLOVERRIDES", overrides, sizeof overrides);
    const std::string all = overrides;
    const std::size_t end = all.find("=n,b");
    std::vector<std::string> names;
    if (end == std::string::npos) return names;
    const std::size_t separator = all.rfind(';', end);
    const std::size_t start = separator == std::string::npos ? 0 : separator + 1;
    std::istringstream list(all.substr(start, end - start));
    for (std::string name; std::getline(list, name, ',');)
        names.push_back(name);
    std::sort(names.begin(), names.end());
    return names;
}

constexpr char kMarkerEnd[] = ".dll.loaded";

class PlantingE2E : public InstallE2E {
  protected:
    void SetUp() override {
        InstallE2E::SetUp();
        char temp[MAX_PATH] = {};
        GetTempPathA(MAX_PATH, temp);
        downloads_ = std::string(temp) + "vs-downloads";
        RemoveTree(downloads_);
        CreateDirectoryA(downloads_.c_str(), nullptr);
    }
    void TearDown() override {
        RemoveTree(downloads_);
        InstallE2E::TearDown();
    }

    // The marking library beside `folder`'s programs under every planted name.
    void Plant(const std::string& folder) const {
        for (const std::string& name : planted_) {
            const std::string planted = folder + "\\" + name + ".dll";
            ASSERT_TRUE(CopyFileA(PlantMarkerPath().c_str(), planted.c_str(), FALSE)) << planted;
        }
    }

    // The planted names that were loaded, from their marks (which are taken away).
    static std::vector<std::string> TakeLoaded(const std::string& folder) {
        std::vector<std::string> loaded;
        for (const std::string& file : FileNamesIn(folder)) {
            if (file.size() <= sizeof kMarkerEnd || !file.ends_with(kMarkerEnd)) continue;
            loaded.push_back(file.substr(0, file.size() - (sizeof kMarkerEnd - 1)));
            DeleteFileA((folder + "\\" + file).c_str());
        }
        std::sort(loaded.begin(), loaded.end());
        return loaded;
    }

    std::optional<DWORD> Run(const std::string& program, const std::string& arguments) {
        auto process = LaunchedProcess::Start(program, arguments);
        return process ? process->WaitForExit(kRunMs) : std::nullopt;
    }

    const std::vector<std::string> planted_ = PlantedNames();
    std::string downloads_;
};

// How many children a screen reader finds in the window (the system's own object of a window
// without child windows has none: they come from the wizard's objects).
long ScreenReaderChildren(HWND window) {
    CoInitialize(nullptr);
    IAccessible* object = nullptr;
    long count = 0;
    if (AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CLIENT), __uuidof(IAccessible),
                                   reinterpret_cast<void**>(&object)) == S_OK) {
        object->get_accChildCount(&count);
        object->Release();
    }
    CoUninitialize();
    return count;
}

TEST_F(PlantingE2E, NoLibraryIsTakenFromTheFolderOfTheInstallerOrOfTheUninstaller) {
    const std::string setup = downloads_ + "\\VantorSaelin-Setup.exe";
    const std::string probe = downloads_ + "\\plant_probe.exe";
    ASSERT_TRUE(CopyFileA(SetupProgramPath().c_str(), setup.c_str(), FALSE));
    ASSERT_TRUE(CopyFileA(PlantProbePath().c_str(), probe.c_str(), FALSE));
    Plant(downloads_);

    // A program that does not limit its search takes every planted library.
    ASSERT_FALSE(planted_.empty()) << "WINEDLLOVERRIDES names no library native-first";
    std::string names;
    for (const std::string& name : planted_)
        names += name + ".dll ";
    EXPECT_EQ(Run(probe, names), 0u);
    ASSERT_EQ(TakeLoaded(downloads_), planted_) << "the planted libraries cannot be loaded here";

    // The wizard, shown, read by a screen reader (which binds the accessibility libraries in
    // the wizard's process) and closed.
    auto wizard = LaunchedProcess::Start(setup);
    ASSERT_TRUE(wizard);
    WindowQuery query;
    query.className = "FenWix";
    query.processId = wizard->Id();
    const auto window = WaitForWindow(query, kBoxMs);
    EXPECT_TRUE(window) << "the wizard did not appear";
    if (window) {
        Sleep(1000);  // drawn, its saved choices loaded
        EXPECT_GT(ScreenReaderChildren(window->handle), 0);
        ClickAt(window->handle, 439, 11);
        ExpectEnds(*wizard);
    }
    wizard.reset();
    EXPECT_EQ(TakeLoaded(downloads_), std::vector<std::string>{}) << "the wizard";

    EXPECT_EQ(Run(setup, "/S"), 0u);
    EXPECT_EQ(TakeLoaded(downloads_), std::vector<std::string>{}) << "the silent install";
    ASSERT_TRUE(WaitForFile(ProductFile("updatelist.xml"), 15000));
    Sleep(500);  // the updater writes its list, then its download folder

    Plant(kDefaultDir);
    EXPECT_EQ(Run(ProductFile("uninstall.exe"), "/S"), 0u);
    EXPECT_EQ(TakeLoaded(kDefaultDir), std::vector<std::string>{}) << "the silent uninstall";
    EXPECT_FALSE(FileExists(ProductFile("VantorFenwix.exe"))) << "the uninstall did its work";
}

}  // namespace
}  // namespace e2e

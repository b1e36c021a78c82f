#include "runtime/shell.h"

#include <objbase.h>
#include <shlobj.h>

#include <algorithm>
#include <string>

#include "runtime/files.h"
#include "tests/runtime/scratch.h"

namespace {

using rt::ByteSet;

struct LinkContents {
    bool loaded = false;
    std::string path, description, arguments, workingDirectory;
    int showCommand = 0;
};

// Reads a shortcut back through the shell-link object.
LinkContents LoadLink(const std::string& file) {
    LinkContents contents;
    IShellLinkA* link = nullptr;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                reinterpret_cast<void**>(&link))))
        return contents;
    IPersistFile* persist = nullptr;
    if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&persist)))) {
        wchar_t wide[MAX_PATH] = {};
        MultiByteToWideChar(CP_ACP, 0, file.c_str(), -1, wide, MAX_PATH);
        if (SUCCEEDED(persist->Load(wide, STGM_READ))) {
            contents.loaded = true;
            char text[1024] = {};
            link->GetPath(text, sizeof(text), nullptr, 0);
            contents.path = text;
            text[0] = '\0';
            link->GetDescription(text, sizeof(text));
            contents.description = text;
            text[0] = '\0';
            link->GetArguments(text, sizeof(text));
            contents.arguments = text;
            text[0] = '\0';
            link->GetWorkingDirectory(text, sizeof(text));
            contents.workingDirectory = text;
            link->GetShowCmd(&contents.showCommand);
        }
        persist->Release();
    }
    link->Release();
    return contents;
}

class ShellTest : public ScratchFolderTest {
  protected:
    void SetUp() override {
        ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr)));
        ScratchFolderTest::SetUp();
        ASSERT_EQ(rt::WriteWholeFile(Path("Product.exe"), ByteSet{'M', 'Z'}), 1);
    }
    void TearDown() override {
        ScratchFolderTest::TearDown();
        CoUninitialize();
    }
};

TEST_F(ShellTest, LinkWithoutDotGetsLnkAndPointsAtTarget) {
    ASSERT_TRUE(rt::CreateShortcut(Path("Product"), Path("Product.exe"), "启动 VantorSaelin",
                                   "--quiet", Folder()));
    EXPECT_FALSE(Exists("Product"));
    ASSERT_TRUE(Exists("Product.lnk"));
    const LinkContents link = LoadLink(Path("Product.lnk"));
    ASSERT_TRUE(link.loaded);
    EXPECT_EQ(link.path, Path("Product.exe"));
    EXPECT_EQ(link.description, "启动 VantorSaelin");
    EXPECT_EQ(link.arguments, "--quiet");
    EXPECT_EQ(link.workingDirectory, Folder());
    // The link file format keeps only normal, maximized and minimized: SW_SHOW reads back normal.
    EXPECT_EQ(link.showCommand, SW_SHOWNORMAL);
}

TEST_F(ShellTest, DotAnywhereKeepsThePathAsGiven) {
    ASSERT_NE(rt::MakeDirectory(Path("v1.0")), 0);
    ASSERT_TRUE(rt::CreateShortcut(Path("v1.0\\Product"), Path("Product.exe")));
    EXPECT_TRUE(Exists("v1.0\\Product"));
    EXPECT_FALSE(Exists("v1.0\\Product.lnk"));
    const LinkContents link = LoadLink(Path("v1.0\\Product"));
    ASSERT_TRUE(link.loaded);
    EXPECT_EQ(link.path, Path("Product.exe"));
    EXPECT_EQ(link.description, "");
    EXPECT_EQ(link.arguments, "");
}

bool ExistsWide(const std::string& path) {
    std::wstring wide(path.begin(), path.end());
    return GetFileAttributesW(wide.c_str()) != INVALID_FILE_ATTRIBUTES;
}

TEST_F(ShellTest, UnwritableOrOverlongLinkFails) {
    EXPECT_FALSE(rt::CreateShortcut(Path("missing\\Product"), Path("Product.exe")));
    EXPECT_FALSE(Exists("missing"));

    // A whole path of 260 bytes or more in folders of ordinary names, which the system could
    // store: cutting it to fit would save the shortcut under another name, so it is refused.
    std::string folder = Folder();
    while (folder.size() < 200) {
        folder += "\\" + std::string(std::min<std::size_t>(60, 220 - folder.size()), 'f');
        ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr)) << folder.size();
    }
    const std::string link = folder + "\\" + std::string(270 - folder.size(), 'n') + ".lnk";
    EXPECT_FALSE(rt::CreateShortcut(link, Path("Product.exe")));
    EXPECT_FALSE(ExistsWide(link));
    EXPECT_FALSE(ExistsWide(link.substr(0, MAX_PATH - 1))) << "saved under a cut name";
}

TEST_F(ShellTest, RunProgramWaitsWhenAsked) {
    const std::string marker = Path("made");
    ASSERT_NE(rt::RunProgram("cmd.exe /c mkdir \"" + marker + "\"", true, rt::kShowHidden), 0);
    EXPECT_TRUE(rt::IsExistingDirectory(marker));
    EXPECT_EQ(rt::RunProgram(Path("no-such-program.exe")), 0);
}

TEST_F(ShellTest, RunProgramWithoutWaitReturnsAtOnce) {
    // The child leaves its mark only after the test has opened the gate, so a start that waited
    // for it would never come back.
    const std::string gate = Path("gate"), marker = Path("later");
    const std::string script =
        ":wait\r\nif not exist \"" + gate + "\" goto wait\r\nmkdir \"" + marker + "\"\r\n";
    ASSERT_EQ(rt::WriteWholeFile(Path("gated.bat"), ByteSet(script.begin(), script.end())), 1);
    ASSERT_NE(rt::RunProgram("cmd.exe /c \"" + Path("gated.bat") + "\"", false, rt::kShowHidden),
              0);
    EXPECT_FALSE(rt::IsExistingDirectory(marker));
    ASSERT_NE(rt::MakeDirectory(gate), 0);
    for (int i = 0; i < 400 && !rt::IsExistingDirectory(marker); ++i)
        Sleep(50);
    EXPECT_TRUE(rt::IsExistingDirectory(marker));
    Sleep(200);  // let the script end before its folder is removed
}

}  // namespace

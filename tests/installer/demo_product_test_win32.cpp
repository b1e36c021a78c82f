// The demo product's programs behave as the installer and the uninstaller expect: the updater
// lists every installed file and creates its download folder; the product keeps running until
// its window is closed.
#include <windows.h>

#include <gtest/gtest.h>

#include <set>

#include "installer/archive_reader.h"
#include "installer/payload_codec.h"
#include "resources/payload/embedded_payload.h"
#include "runtime/files.h"
#include "tests/installer/archive_test_support.h"

namespace inst {
namespace {

using archive_test::FileText;
using archive_test::ListTree;
using archive_test::ScratchDirectory;

// Starts a program and returns its process handle (0 on failure).
HANDLE Start(const std::string& path) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    std::string commandLine = "\"" + path + "\"";
    if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process))
        return nullptr;
    CloseHandle(process.hThread);
    return process.hProcess;
}

// The values of every name="..." attribute in the text.
std::vector<std::string> NameAttributes(const std::string& xml) {
    std::vector<std::string> names;
    for (std::size_t at = xml.find("name=\""); at != std::string::npos;
         at = xml.find("name=\"", at)) {
        at += 6;
        const std::size_t end = xml.find('"', at);
        names.push_back(xml.substr(at, end - at));
    }
    return names;
}

class DemoProductTest : public ::testing::Test {
  protected:
    void SetUp() override {
        rt::ByteSet image;
        ASSERT_EQ(UnpackPayload(EmbeddedPayload(), image), 0);
        ArchiveReader reader;
        ASSERT_TRUE(reader.ExtractAll("", std::move(image), directory_));
    }

    ScratchDirectory scratch_;
    const std::string directory_ = scratch_ / "淺籠 Vantor";
};

TEST_F(DemoProductTest, UpdaterListsEveryInstalledFileAndCreatesItsDownloadFolder) {
    const std::vector<std::string> installed = ListTree(directory_);
    HANDLE process = Start(directory_ + "\\AutoUpdate.exe");
    ASSERT_NE(process, nullptr);
    ASSERT_EQ(WaitForSingleObject(process, 30000), WAIT_OBJECT_0);
    DWORD exitCode = 1;
    GetExitCodeProcess(process, &exitCode);
    CloseHandle(process);
    EXPECT_EQ(exitCode, 0u);

    EXPECT_TRUE(rt::IsExistingDirectory(directory_ + "\\download"));
    const std::string xml = FileText(directory_ + "\\updatelist.xml");
    ASSERT_NE(xml, "<missing>");
    EXPECT_NE(xml.find("<root>"), std::string::npos);
    EXPECT_NE(xml.find("<files>"), std::string::npos);
    const std::vector<std::string> listed = NameAttributes(xml);
    EXPECT_EQ(std::set<std::string>(listed.begin(), listed.end()),
              std::set<std::string>(installed.begin(), installed.end()));
    EXPECT_EQ(listed.size(), 38u);
}

TEST_F(DemoProductTest, ProductProgramsRunUntilTheirWindowIsClosed) {
    for (const char* program : {"VantorFenwix", "VantorSaelin"}) {
        HANDLE process = Start(directory_ + "\\" + program + ".exe");
        ASSERT_NE(process, nullptr) << program;
        EXPECT_EQ(WaitForSingleObject(process, 1500), static_cast<DWORD>(WAIT_TIMEOUT)) << program;
        HWND window = nullptr;
        const std::string windowClass = std::string(program) + "Window";
        for (int i = 0; i < 100 && window == nullptr; ++i) {
            window = FindWindowA(windowClass.c_str(), program);
            if (window == nullptr) Sleep(100);
        }
        EXPECT_NE(window, nullptr) << program;
        if (window != nullptr) PostMessageA(window, WM_CLOSE, 0, 0);
        if (WaitForSingleObject(process, 10000) != WAIT_OBJECT_0) {
            TerminateProcess(process, 1);
            ADD_FAILURE() << program << " did not end after WM_CLOSE";
        }
        CloseHandle(process);
    }
}

}  // namespace
}  // namespace inst

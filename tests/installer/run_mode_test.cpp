// Only the exact name uninstall.exe makes the program the uninstaller.
#include "installer/run_mode.h"

#include <gtest/gtest.h>

namespace inst {
namespace {

TEST(RunMode, OnlyTheExactNameSelectsTheUninstaller) {
    EXPECT_EQ(ChooseRunMode("uninstall.exe"), RunMode::Uninstaller);
    for (const char* name : {"Uninstall.exe", "UNINSTALL.EXE", "uninstall.exe.bak",
                             " uninstall.exe", "uninstall.exe ", "uninstall", "",
                             "VantorSaelin-Setup.exe", "C:\\x\\uninstall.exe"}) {
        EXPECT_EQ(ChooseRunMode(name), RunMode::Installer) << name;
    }
    // An embedded zero byte does not shorten the comparison.
    EXPECT_EQ(ChooseRunMode(std::string("uninstall.exe\0x", 15)), RunMode::Installer);
}

}  // namespace
}  // namespace inst

// The choices an install starts from: a flag is on exactly when "1" is saved; nothing usable
// saved gives the defaults "1", "1", "1", "0" and Program Files (x86)\Korrel\VantorFenWix.
#include "installer/saved_choices.h"

#include <gtest/gtest.h>

#include "tests/installer/setup_test_machine.h"

namespace insttest {
namespace {

std::string Flags(const inst::InstallOptions& options) {
    std::string flags;
    for (bool on : {options.AutoStartup, options.CreatDesktopShortcut,
                    options.CreatStartMenuShortcut, options.RemoveOldConfigFiles})
        flags += on ? '1' : '0';
    return flags;
}

class SavedChoices : public SetupTestMachine {};

TEST_F(SavedChoices, OnlyASaved1TurnsAFlagOnAndNothingSavedGivesTheDefaults) {
    struct Case {
        const char* saved;  // nullptr: no value at all
        const char* flags;
    };
    const Case cases[] = {
        {nullptr, "1110"}, {"", "1110"},   {"1", "1111"},  {"0", "0000"},
        {"true", "0000"},  {" 1", "0000"}, {"01", "0000"}, {"1 ", "0000"},
    };
    for (const Case& c : cases) {
        platform.values.clear();
        if (c.saved != nullptr) {
            for (const char* name : {"AutoStartup", "CreatDesktopShortcut",
                                     "CreatStartMenuShortcut", "RemoveOldConfigFiles"})
                platform.SetValue(3, kSettings + name, c.saved);
        }
        EXPECT_EQ(Flags(inst::ReadSavedChoices(platform)), c.flags)
            << (c.saved ? c.saved : "(none)");
    }
}

TEST_F(SavedChoices, TheSavedDirectoryElseTheDefaultAndSlashDInPlaceOfBoth) {
    // The Program Files folder of this build: the x86 one for the 32-bit program.
    const std::string programFiles = sizeof(void*) == 8 ? "Program Files" : "Program Files (x86)";
    EXPECT_EQ(inst::ReadSavedChoices(platform).InstallPath,
              Path(programFiles + "\\Korrel\\VantorFenWix"));
    platform.SetValue(3, kSettings + "InstallPath", "D:\\Games\\Vantor");
    EXPECT_EQ(inst::ReadSavedChoices(platform).InstallPath, "D:\\Games\\Vantor");
    inst::SetupSwitches switches;
    switches.installDirectory = "E:\\Other";
    EXPECT_EQ(inst::StartingChoices(platform, switches).InstallPath, "E:\\Other");
}

}  // namespace
}  // namespace insttest

// The checks that keep the install's wipe and the uninstall's deletions inside the product's
// own folder, whatever the user typed or the updater's list says.
#include <gtest/gtest.h>

#include "installer/install_comparable_path.h"
#include "installer/install_wipe_guard.h"
#include "installer/uninstall_listed_name.h"
#include "tests/installer/fake_setup_platform.h"

namespace insttest {
namespace {

using inst::ComparablePath;
using inst::MakeComparablePath;

// "籠" in code page 936 is BB 5C: its second byte is the backslash.
const std::string kTrailBackslashChar = "\xBB\x5C";

TEST(ComparablePathTest, DrivePathsResolveDotsCaseAndSeparators) {
    const auto path = MakeComparablePath("C:/Program Files\\Korrel\\.\\x\\..\\\\VantorFenWix\\");
    ASSERT_TRUE(path);
    EXPECT_EQ(path->root, "c:");
    EXPECT_EQ(path->names, (std::vector<std::string>{"program files", "korrel", "vantorfenwix"}));

    EXPECT_EQ(MakeComparablePath("c:\\WINDOWS. \\")->names, std::vector<std::string>{"windows"})
        << "trailing dots and spaces are dropped as the file system drops them";
    EXPECT_TRUE(MakeComparablePath("C:\\..\\..")->names.empty()) << "never above the root";
    EXPECT_TRUE(MakeComparablePath("D:")->names.empty());
}

TEST(ComparablePathTest, SharesKeepServerAndShareAsTheirRoot) {
    const auto path = MakeComparablePath("\\\\Server\\Apps\\Tool");
    ASSERT_TRUE(path);
    EXPECT_EQ(path->root, "\\\\server\\apps");
    EXPECT_EQ(path->names, std::vector<std::string>{"tool"});
    EXPECT_FALSE(MakeComparablePath("\\\\server"));
    EXPECT_FALSE(MakeComparablePath("\\\\server\\"));
}

TEST(ComparablePathTest, PathsWhosePlaceIsUnknownAreNotComparable) {
    for (const char* path : {"", "relative\\dir", ".", "\\rooted", "C:drive-relative",
                             "\\\\?\\C:\\Windows", "\\\\.\\PhysicalDrive0", "1:\\x"}) {
        EXPECT_FALSE(MakeComparablePath(path)) << path;
    }
}

TEST(ComparablePathTest, DoubleByteNamesStayWholeAndKeepTheirCase) {
    const auto path = MakeComparablePath("C:\\" + kTrailBackslashChar + "A\\B");
    ASSERT_TRUE(path);
    EXPECT_EQ(path->names, (std::vector<std::string>{kTrailBackslashChar + "a", "b"}));
    // A lead byte before an ASCII letter keeps that letter as its trail byte.
    EXPECT_EQ(MakeComparablePath("C:\\\xB0\x41")->names, std::vector<std::string>{"\xB0\x41"});
}

TEST(ComparablePathTest, ContainsMeansSameRootAndAPrefixOfNames) {
    const ComparablePath programs = *MakeComparablePath("C:\\Program Files");
    EXPECT_TRUE(programs.Contains(*MakeComparablePath("c:\\program files\\Korrel")));
    EXPECT_TRUE(programs.Contains(programs));
    EXPECT_FALSE(programs.Contains(*MakeComparablePath("C:\\Program Files (x86)")));
    EXPECT_FALSE(programs.Contains(*MakeComparablePath("D:\\Program Files\\Korrel")));
    EXPECT_FALSE(MakeComparablePath("C:\\Program Files\\Korrel")->Contains(programs));
}

class WipeGuardTest : public ::testing::Test {
  protected:
    void SetUp() override {
        platform.specialFolders = {
            {0x24, "C:\\windows"},
            {0x25, "C:\\windows\\system32"},
            {0x26, "C:\\Program Files"},
            {0x2a, "C:\\Program Files (x86)"},
            {0x28, "C:\\users\\me"},
            {0x10, "C:\\users\\me\\Desktop"},
            {0x19, "C:\\users\\Public\\Desktop"},
            {0x17, "C:\\ProgramData\\Microsoft\\Windows\\Start Menu\\Programs"},
            {0x16, "C:\\ProgramData\\Microsoft\\Windows\\Start Menu"},
        };
        guarded = inst::GuardedFoldersOf(platform);
    }
    bool MayWipe(const std::string& path) const { return inst::MayWipeDirectory(path, guarded); }

    FakeSetupPlatform platform;
    inst::GuardedFolders guarded;
};

TEST_F(WipeGuardTest, TheProductsOwnFoldersMayBeWiped) {
    EXPECT_TRUE(MayWipe("C:\\Program Files (x86)\\Korrel\\VantorFenWix"));
    EXPECT_TRUE(MayWipe("C:\\Program Files\\Korrel"));
    EXPECT_TRUE(MayWipe("D:\\Games\\VantorFenWix\\"));
    EXPECT_TRUE(MayWipe("C:\\users\\me\\Apps\\Vantor"));
    EXPECT_TRUE(MayWipe("C:\\users\\me\\Desktop\\Vantor"));
    EXPECT_TRUE(MayWipe("\\\\server\\apps\\Vantor"));
}

TEST_F(WipeGuardTest, DriveAndShareRootsAreRefused) {
    for (const char* path : {"C:\\", "c:", "D:/", "C:\\Korrel\\..", "\\\\server\\apps\\"}) {
        EXPECT_FALSE(MayWipe(path)) << path;
    }
}

TEST_F(WipeGuardTest, SystemAndProgramFoldersAreRefusedAlsoWhenWrittenDifferently) {
    for (const char* path :
         {"C:\\Windows", "c:/windows/", "C:\\WINDOWS.", "C:\\windows\\system32",
          "C:\\windows\\Temp\\x", "C:\\Program Files", "C:\\PROGRAM FILES (X86)\\",
          "C:\\Program Files (x86)\\Korrel\\..", "C:\\Program Files\\.\\"}) {
        EXPECT_FALSE(MayWipe(path)) << path;
    }
}

TEST_F(WipeGuardTest, ProfilesDesktopsAndStartMenusAreRefusedWithEverythingAboveThem) {
    for (const char* path :
         {"C:\\users", "C:\\users\\me", "C:\\users\\someone-else", "C:\\users\\Public",
          "C:\\users\\me\\Desktop", "C:\\users\\Public\\Desktop\\",
          "C:\\ProgramData\\Microsoft\\Windows\\Start Menu\\Programs",
          "C:\\ProgramData\\Microsoft\\Windows\\Start Menu", "C:\\ProgramData\\Microsoft",
          "C:\\ProgramData"}) {
        EXPECT_FALSE(MayWipe(path)) << path;
    }
    EXPECT_TRUE(MayWipe("C:\\ProgramData\\Microsoft\\Windows\\Start Menu\\Programs\\Korrel"));

    // A profile right below the drive's root makes no folder of profiles of the root.
    platform.specialFolders = {{0x28, "C:\\me"}};
    guarded = inst::GuardedFoldersOf(platform);
    EXPECT_FALSE(MayWipe("C:\\me"));
    EXPECT_TRUE(MayWipe("C:\\Games"));
}

TEST_F(WipeGuardTest, FoldersNamedOnlyByTheEnvironmentAreSparedToo) {
    EXPECT_TRUE(MayWipe("E:\\Program Files"));
    platform.environment = {{"ProgramW6432", "E:\\Program Files"}, {"windir", ""}};
    guarded = inst::GuardedFoldersOf(platform);
    EXPECT_FALSE(MayWipe("e:\\program files\\"));
    EXPECT_FALSE(MayWipe("E:\\"));
    EXPECT_TRUE(MayWipe("E:\\Program Files\\Korrel"));
}

TEST_F(WipeGuardTest, AnUnknownPlaceIsRefusedAndUnknownFoldersAreLeftOut) {
    EXPECT_FALSE(MayWipe(""));
    EXPECT_FALSE(MayWipe("relative"));
    platform.specialFolders = {{0x24, ""}, {0x28, "C:\\"}};
    const inst::GuardedFolders sparse = inst::GuardedFoldersOf(platform);
    EXPECT_TRUE(sparse.folders.empty());
    EXPECT_TRUE(sparse.profileRoots.empty());
    EXPECT_TRUE(inst::MayWipeDirectory("C:\\users\\me", sparse));
}

TEST(ListedNameTest, RelativeNamesInsideTheDirectoryAreAccepted) {
    for (const std::string& name : std::vector<std::string>{
             "VantorFenwix.exe", "sub\\x.dll", "sub/x.dll", "a\\\\b.txt", ".hidden", "a.b.c",
             "说明.txt", kTrailBackslashChar + "..", kTrailBackslashChar + "\\x.dll"}) {
        EXPECT_TRUE(inst::IsNameInsideInstallDirectory(name)) << name;
    }
}

TEST(ListedNameTest, AbsoluteDriveAndClimbingNamesAreRefused) {
    for (const std::string& name : std::vector<std::string>{
             "", "\\Windows\\win.ini", "/etc/passwd", "\\\\server\\share\\x", "C:\\x.dll", "C:x",
             "c:", "file.txt:stream", "..", "..\\x.dll", "../x.dll", "sub\\..\\..\\x.dll",
             "sub/../x.dll", "sub\\..", ". .\\x", "...\\x", "sub\\. \\x", "."}) {
        EXPECT_FALSE(inst::IsNameInsideInstallDirectory(name)) << name;
    }
}

}  // namespace
}  // namespace insttest

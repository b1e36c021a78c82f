// Image names match with ASCII letters in any case; double-byte characters only as they are.
#include <gtest/gtest.h>

#include "installer/process_name_match.h"

namespace {

using inst::FindFirstProcessIdNamed;
using inst::LowerImageName;
using inst::ProcessEntry;

TEST(ProcessNameMatch, LowersAsciiLettersOnly) {
    EXPECT_EQ(LowerImageName("VantorFenwix.EXE"), "vantorfenwix.exe");
    EXPECT_EQ(LowerImageName("A-Z_0@[`{"), "a-z_0@[`{");
    // Full-width capitals stay capitals; a trail byte in the letter range is not lowered.
    EXPECT_EQ(LowerImageName("ＶＡ.EXE"), std::string("ＶＡ") + ".exe");
    EXPECT_EQ(LowerImageName("\x81\x41\x42"), "\x81\x41\x62");
    EXPECT_EQ(LowerImageName("\x80\x41"), "\x80\x61");  // 0x80 leads nothing in code page 936
    EXPECT_EQ(LowerImageName("\xB0"), "\xB0");          // a lead byte cut by the end
}

class ProcessSnapshotMatch : public ::testing::Test {
  protected:
    std::vector<ProcessEntry> snapshot_{
        {0, "System Idle Process"},
        {4, "System"},
        {120, "VANTORFENWIX.EXE"},
        {96, "vantorfenwix.exe"},
        {300, "ＶＡＮＴＯＲ.exe"},
        {310, "\x81\x41.exe"},
        {320, ""},
    };
};

TEST_F(ProcessSnapshotMatch, FindsTheFirstReportedOfAnyLetterCase) {
    EXPECT_EQ(FindFirstProcessIdNamed(snapshot_, "VantorFenwix.exe"), 120u);
    EXPECT_EQ(FindFirstProcessIdNamed(snapshot_, "system idle process"), 0u);
    EXPECT_EQ(FindFirstProcessIdNamed(snapshot_, "SYSTEM"), 4u);
}

TEST_F(ProcessSnapshotMatch, DoubleByteCharactersMustBeTheSame) {
    EXPECT_EQ(FindFirstProcessIdNamed(snapshot_, "ｖａｎｔｏｒ.exe"), 0u);
    EXPECT_EQ(FindFirstProcessIdNamed(snapshot_, "ＶＡＮＴＯＲ.EXE"), 300u);
    EXPECT_EQ(FindFirstProcessIdNamed(snapshot_, "\x81\x61.exe"), 0u);
    EXPECT_EQ(FindFirstProcessIdNamed(snapshot_, "\x81\x41.EXE"), 310u);
}

TEST_F(ProcessSnapshotMatch, NoMatchGivesZero) {
    EXPECT_EQ(FindFirstProcessIdNamed(snapshot_, "VantorSaelin.exe"), 0u);
    EXPECT_EQ(FindFirstProcessIdNamed(snapshot_, "VantorFenwix"), 0u);
    EXPECT_EQ(FindFirstProcessIdNamed({}, "System"), 0u);
}

}  // namespace

#include <gtest/gtest.h>

#include "wizard/install_dir_choice.h"
#include "wizard/make_argb.h"

namespace {

TEST(InstallDirForChosenFolder, PutsTheProductFolderBelowTheChoiceUnlessItIsThere) {
    const struct {
        const char* chosen;
        const char* directory;
    } cases[] = {
        {"D:\\Games", "D:\\Games\\Korrel\\VantorFenWix"},
        {"D:\\", "D:\\Korrel\\VantorFenWix"},
        {"D:\\Korrel", "D:\\Korrel\\VantorFenWix"},
        {"D:\\Games\\VantorFenWix", "D:\\Games\\VantorFenWix"},
        {"D:\\Games\\vantorfenwix", "D:\\Games\\vantorfenwix\\Korrel\\VantorFenWix"},
        {"D:\\Games\\korrel", "D:\\Games\\korrel\\Korrel\\VantorFenWix"},
        {"VantorFenWix", "VantorFenWix"},  // no backslash: the whole text is the last name
        {"D:\\游戏 工具", "D:\\游戏 工具\\Korrel\\VantorFenWix"},
        // The second byte of "淺" is that of a backslash; it is not one.
        {"D:\\淺VantorFenWix", "D:\\淺VantorFenWix\\Korrel\\VantorFenWix"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(wiz::InstallDirForChosenFolder(c.chosen), c.directory);
}

TEST(MakeArgb, SwapsRedAndBlueAndOpaqueIs254) {
    const struct {
        COLORREF rgb;
        std::optional<int> alpha;
        ui::ARGB argb;
    } cases[] = {
        {RGB(255, 255, 255), 255, 0xFEFFFFFF},
        {RGB(0, 0, 0), std::nullopt, 0xFE000000},
        {RGB(0x11, 0x22, 0x33), 128, 0x80112233},
        {RGB(0x11, 0x22, 0x33), 0, 0x00112233},
    };
    for (const auto& c : cases)
        EXPECT_EQ(wiz::MakeArgb(c.rgb, c.alpha), c.argb) << c.rgb;
}

}  // namespace

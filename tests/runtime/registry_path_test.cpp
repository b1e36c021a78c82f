#include "runtime/registry_path.h"

#include <gtest/gtest.h>

namespace {

void ExpectSplit(const rt::TextValue& path, const rt::TextValue& subkey,
                 const rt::TextValue& valueName) {
    const rt::RegistryPathParts parts = rt::SplitRegistryPath(path);
    EXPECT_EQ(parts.subkey, subkey) << path;
    EXPECT_EQ(parts.valueName, valueName) << path;
}

TEST(RegistryPathTest, SplitsAtTheLastBackslash) {
    ExpectSplit("Software\\VantorFenWix\\InstallPath", "Software\\VantorFenWix", "InstallPath");
    ExpectSplit("Software\\Key\\", "Software\\Key", "");
    ExpectSplit("\\Value", "", "Value");
}

TEST(RegistryPathTest, WithoutBackslashTheWholeTextIsTheKey) {
    ExpectSplit("Software", "Software", "");
    ExpectSplit("", "", "");
}

TEST(RegistryPathTest, TrailByteOfADoubleByteCharacterIsNoSeparator) {
    // 0xDD 0x5C is one GBK character whose second byte equals "\".
    const rt::TextValue wide = "\xDD\x5C";
    ExpectSplit("Key\\Name" + wide, "Key", "Name" + wide);
    ExpectSplit("Key" + wide + "\\Name", "Key" + wide, "Name");
}

}  // namespace

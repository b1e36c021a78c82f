// How a function bound by name is asked for, and the texts of the two failure messages.
#include "runtime/dll_function_name.h"

#include <gtest/gtest.h>

namespace rt {
namespace {

TEST(DllFunctionName, OrdinalsAndTheDoubleAtRule) {
    DllFunctionName ordinal = ParseDllFunctionName("#12");
    EXPECT_TRUE(ordinal.byOrdinal);
    EXPECT_EQ(ordinal.ordinal, 12);

    EXPECT_FALSE(ParseDllFunctionName("LzmaUncompress@24").byOrdinal);
    EXPECT_EQ(ParseDllFunctionName("LzmaUncompress@24").name, "LzmaUncompress@24");
    EXPECT_EQ(ParseDllFunctionName("Decode@@8").name, "Decode");
    // Only the first "@" decides: here it is followed by a letter, so nothing is cut.
    EXPECT_EQ(ParseDllFunctionName("a@b@@c").name, "a@b@@c");
    EXPECT_EQ(ParseDllFunctionName("Trailing@").name, "Trailing@");
}

TEST(DllFunctionName, OverlongNamesAreCutToTheBuffer) {
    std::string longName(5000, 'x');
    EXPECT_EQ(ParseDllFunctionName(longName.c_str()).name.size(), 1023u);
}

TEST(DllFunctionName, FailureMessagesQuoteTheirNames) {
    // The texts are the program's own, in code page 936.
    EXPECT_EQ(MissingLibraryMessage("WINSTA.dll"),
              "同目录下无法找到DLL文件:\"WINSTA.dll\".请与作者联系.");
    EXPECT_EQ(MissingFunctionMessage("user32", "NoSuch@@4"),
              "无法定位DLL文件:\"user32\"当中的\"NoSuch@@4\"函数.");
    // Ten double-byte characters, "DLL", ":" and the quote come before the name.
    EXPECT_EQ(MissingLibraryMessage("安").find("\xB0\xB2"), 25u);
    EXPECT_LE(MissingLibraryMessage(std::string(4000, 'a').c_str()).size(), 1023u);
}

}  // namespace
}  // namespace rt

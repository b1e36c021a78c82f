// Call slots resolve their function once, by name or ordinal, and then call it directly.
#include "runtime/dll_calls_win32.h"

#include <gtest/gtest.h>

namespace rt {
namespace {

TEST(DllCallSlot, ResolvesAtFirstCallOnlyAndCallsTheFunction) {
    DllCallSlot<decltype(::GetTickCount)> tick{"kernel32", "GetTickCount"};
    EXPECT_FALSE(tick.IsResolved());
    const int before = DllResolutionCount();
    EXPECT_GT(tick() + 1, 0u);
    EXPECT_TRUE(tick.IsResolved());
    tick();
    tick();
    EXPECT_EQ(DllResolutionCount(), before + 1);
    EXPECT_EQ(reinterpret_cast<void*>(tick.Address()),
              reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32"),
                                                     "GetTickCount")));
}

TEST(DllCallSlot, TableSlotsReachTheRealFunctions) {
    char buffer[4] = {};
    dll::RtlMoveMemory(buffer, "abc", 4);
    EXPECT_STREQ(buffer, "abc");
    const BYTE data[] = {'1', '2', '3', '4', '5', '6', '7', '8', '9'};
    EXPECT_EQ(dll::RtlComputeCrc32(0, data, 9), 0xCBF43926u);  // the standard check value
    EXPECT_EQ(dll::FindWindowA("NoSuchClassAnywhere", nullptr), nullptr);
}

TEST(DllCallSlot, DoubleAtNamesAndOrdinalsResolve) {
    HMODULE user32 = GetModuleHandleA("user32");
    EXPECT_EQ(ResolveDllFunction("user32", "FindWindowA@@8"),
              reinterpret_cast<void*>(GetProcAddress(user32, "FindWindowA")));
    // Take the first ordinal the library exports and ask for it as "#n".
    for (int n = 1; n < 4000; ++n) {
        FARPROC byOrdinal = GetProcAddress(user32, MAKEINTRESOURCEA(n));
        if (byOrdinal == nullptr) continue;
        const std::string name = "#" + std::to_string(n);
        EXPECT_EQ(ResolveDllFunction("user32", name.c_str()), reinterpret_cast<void*>(byOrdinal));
        return;
    }
    FAIL() << "user32 exports no ordinal below 4000";
}

TEST(DllCallSlot, LibrariesNotYetInTheProcessAreLoadedAndListed) {
    const bool held = GetModuleHandleA("dwmapi.dll") != nullptr;
    const std::size_t before = LoadedLibraryCount();
    BOOL enabled = FALSE;
    dll::DwmIsCompositionEnabled(&enabled);
    EXPECT_NE(GetModuleHandleA("dwmapi.dll"), nullptr);
    EXPECT_EQ(LoadedLibraryCount(), before + (held ? 0 : 1));
}

}  // namespace
}  // namespace rt

// The system's half-width mapping against the table the native build uses in its place.
#include <windows.h>

#include <gtest/gtest.h>

#include "runtime/half_width.h"
#include "runtime/value_conversions.h"

namespace rt {
namespace {

// Every character of the full-width row, and the ideographic space, normalise the same way with
// the system's mapping as with the native table. (The system leaves "＼" itself alone, which is
// why normalising replaces it first.)
TEST(HalfWidthPlatform, SystemMappingAgreesWithTheNativeTable) {
    ASSERT_EQ(936u, GetACP());
    for (int trail = 0xA1; trail <= 0xFE; ++trail) {
        const char fullWidth[] = {static_cast<char>(0xA3), static_cast<char>(trail), 0};
        EXPECT_EQ(MapGbkFullWidthToAscii(fullWidth), NormalizeHalfWidth(fullWidth))
            << "A3" << std::hex << trail;
    }
    EXPECT_EQ(MapGbkFullWidthToAscii("\xA1\xA1"), MapToHalfWidth("\xA1\xA1"));
    EXPECT_EQ("0123456789", MapToHalfWidth("０１２３４５６７８９"));
}

TEST(HalfWidthPlatform, OtherCharactersStay) {
    EXPECT_EQ("中文 abc", MapToHalfWidth("中文 abc"));
    EXPECT_EQ("", MapToHalfWidth(""));
    EXPECT_EQ(2024, ValueToInt(TaggedValue::Text("２０２４年")));
}

}  // namespace
}  // namespace rt

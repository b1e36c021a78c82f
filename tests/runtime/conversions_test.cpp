// Values of every tag turned into text, integers and bytes; full-width text normalised.
#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "runtime/half_width.h"
#include "runtime/number_text.h"
#include "runtime/value_conversions.h"

namespace rt {
namespace {

using TV = TaggedValue;

TEST(ValueToText, NumbersUseDecimalTextWithTrailingZerosTrimmed) {
    EXPECT_EQ("2", ValueToText(TV::Double(2.0)));
    EXPECT_EQ("0.25", ValueToText(TV::Double(0.25)));
    EXPECT_EQ("1.5", ValueToText(TV::Float(1.5f)));
    EXPECT_EQ("-3.125", ValueToText(TV::Double(-3.125)));
    EXPECT_EQ("0", ValueToText(TV::Double(0.0)));
    EXPECT_EQ("100", ValueToText(TV::Double(100.0)));
    EXPECT_EQ("0.333333", ValueToText(TV::Double(1.0 / 3)));
    EXPECT_EQ("-7", ValueToText(TV::Int(-7)));
    EXPECT_EQ("200", ValueToText(TV::Byte(200)));
    EXPECT_EQ("-2", ValueToText(TV::Short(-2)));
    EXPECT_EQ("-9000000000", ValueToText(TV::Int64(-9000000000LL)));
    EXPECT_EQ("-1", ValueToText(TV::SubProgram(0xFFFFFFFF)));
}

TEST(ValueToText, HugeDoublesAreNotCutShort) {
    // 301 digits: more than any fixed formatting buffer would hold.
    const TextValue text = ValueToText(TV::Double(1e300));
    ASSERT_EQ(301u, text.size());
    EXPECT_EQ("100000000000000005250476025520", text.substr(0, 30));
    EXPECT_EQ(TextValue::npos, text.find_first_not_of("0123456789"));
}

// The fixed-point text is worked out by hand; it must be "%f"'s to the last digit: ties at the
// sixth decimal, the smallest and largest doubles, signed zero, infinities, and random bits.
TEST(ValueToText, FixedPointTextIsPrintfsToTheLastDigit) {
    const auto printfText = [](double value) {
        std::string text(static_cast<std::size_t>(std::snprintf(nullptr, 0, "%f", value)), '\0');
        std::snprintf(text.data(), text.size() + 1, "%f", value);
        return TrimTrailingZeros(text);
    };
    std::vector<double> values{0.0,
                               -0.0,
                               0.0000005,
                               0.0000015,
                               0.0000025,
                               -2.5e-7,
                               0.1,
                               123456.0000005,
                               4503599627370496.5,
                               1e300,
                               std::numeric_limits<double>::max(),
                               std::numeric_limits<double>::denorm_min(),
                               std::numeric_limits<double>::infinity(),
                               -std::numeric_limits<double>::infinity()};
    std::mt19937_64 bits(2026);
    for (int i = 0; i < 3000; ++i) {
        const std::uint64_t pattern = bits();
        double value;
        std::memcpy(&value, &pattern, sizeof value);
        if (!std::isnan(value)) values.push_back(value);
        values.push_back(std::round(static_cast<double>(pattern % 20000000000) - 1e10) / 1e6);
    }
    for (const double value : values)
        ASSERT_EQ(printfText(value), FixedPointText(value)) << std::hexfloat << value;
}

TEST(ValueToText, TruthTextsAndBytes) {
    EXPECT_EQ("真", ValueToText(TV::Bool(true)));
    EXPECT_EQ("假", ValueToText(TV::Bool(false)));
    EXPECT_EQ("ab", ValueToText(TV::Bytes({0x61, 0x62, 0x00, 0x63, 0x64})));
    EXPECT_EQ("abc", ValueToText(TV::Bytes({0x61, 0x62, 0x63})));
    EXPECT_EQ("", ValueToText(TV::Bytes({})));
    EXPECT_EQ("中文", ValueToText(TV::Text("中文")));
    EXPECT_EQ("", ValueToText(TV()));
}

TEST(ValueToText, IntegerArraysGiveTheirBytesUpToAZero) {
    EXPECT_EQ("AB", ValueToText(TV::ArrayOf<std::int32_t>({0x4241})));
    EXPECT_EQ("ABC", ValueToText(TV::ArrayOf<std::uint8_t>({'A', 'B', 'C'})));
    EXPECT_EQ("", ValueToText(TV::ArrayOf<double>({1.0})));
    EXPECT_EQ("", ValueToText(TV::ArrayOfTexts({"x"})));
    EXPECT_EQ("", ValueToText(TV::Opaque(kTagLibraryObject)));
}

TEST(ValueToInt, NumbersTruncateTowardZero) {
    EXPECT_EQ(-2, ValueToInt(TV::Double(-2.9)));
    EXPECT_EQ(2, ValueToInt(TV::Float(2.9f)));
    EXPECT_EQ(1, ValueToInt(TV::Bool(true)));
    EXPECT_EQ(255, ValueToInt(TV::Byte(255)));
    EXPECT_EQ(-1, ValueToInt(TV::Short(-1)));
    EXPECT_EQ(1, ValueToInt(TV::Int64(0x100000001LL)));  // low 32 bits
    EXPECT_EQ(1, ValueToInt(TV::Double(4294967297.0)));
    EXPECT_EQ(0, ValueToInt(TV::Double(std::nan(""))));
    EXPECT_EQ(0, ValueToInt(TV::Double(1e300)));
    EXPECT_EQ(0, ValueToInt(TV::DateTime(45000.5)));
}

TEST(ValueToInt, TextsReadTheLeadingIntegerAfterHalfWidthMapping) {
    EXPECT_EQ(123, ValueToInt(TV::Text("１２３")));
    EXPECT_EQ(-45, ValueToInt(TV::Text("－４５元")));
    EXPECT_EQ(0, ValueToInt(TV::Text("abc")));
    EXPECT_EQ(17, ValueToInt(TV::Text("  +17px")));
    EXPECT_EQ(0, ValueToInt(TV::Text("")));
    EXPECT_EQ(2147483647, ValueToInt(TV::Text("99999999999")));
    EXPECT_EQ(-2147483647 - 1, ValueToInt(TV::Text("-99999999999")));
}

TEST(ValueToBytes, LittleEndianBytesOfEachKind) {
    EXPECT_EQ((ByteSet{'h', 'i'}), ValueToBytes(TV::Text("hi")));
    EXPECT_EQ((ByteSet{1, 2}), ValueToBytes(TV::Bytes({1, 2})));
    EXPECT_EQ((ByteSet{0x78, 0x56, 0x34, 0x12}), ValueToBytes(TV::Int(0x12345678)));
    EXPECT_EQ((ByteSet{1, 0, 0, 0}), ValueToBytes(TV::Bool(true)));
    EXPECT_EQ((ByteSet{0, 0, 0xC0, 0x3F}), ValueToBytes(TV::Float(1.5f)));
    EXPECT_EQ((ByteSet{0, 0, 0, 0, 0, 0, 0xF0, 0x3F}), ValueToBytes(TV::Double(1.0)));
    EXPECT_EQ((ByteSet{0, 0, 0, 0, 0, 0, 0xF0, 0x3F}), ValueToBytes(TV::DateTime(1.0)));
    EXPECT_EQ(8u, ValueToBytes(TV::Int64(-1)).size());
    EXPECT_EQ((ByteSet{0xFE, 0xFF}), ValueToBytes(TV::Short(-2)));
    EXPECT_EQ((ByteSet{9}), ValueToBytes(TV::Byte(9)));
    EXPECT_EQ((ByteSet{1, 0, 2, 0}), ValueToBytes(TV::ArrayOf<std::int16_t>({1, 2})));
    EXPECT_TRUE(ValueToBytes(TV::ArrayOfTexts({"a"})).empty());
    EXPECT_TRUE(ValueToBytes(TV()).empty());
}

TEST(HalfWidth, FullWidthFormsBecomeAscii) {
    EXPECT_EQ("AZ az 09/\\", NormalizeHalfWidth("ＡＺ　ａｚ　０９／＼"));
    EXPECT_EQ("中1", NormalizeHalfWidth("中１"));  // other characters stay
    EXPECT_EQ("", NormalizeHalfWidth(""));
}

TEST(HalfWidth, StandInTableCoversTheFullWidthRow) {
    for (int trail = 0xA1; trail <= 0xFE; ++trail) {
        if (trail == 0xA4 || trail == 0xFE) continue;  // no ASCII form, checked below
        const char fullWidth[] = {static_cast<char>(0xA3), static_cast<char>(trail), 0};
        EXPECT_EQ(TextValue(1, static_cast<char>(trail - 0x80)), MapGbkFullWidthToAscii(fullWidth))
            << std::hex << trail;
    }
    EXPECT_EQ("\xA3\xA4", MapGbkFullWidthToAscii("￥"));
    EXPECT_EQ("\xA1\xA5", MapGbkFullWidthToAscii("￣"));
    EXPECT_EQ(" ", MapGbkFullWidthToAscii("\xA1\xA1"));
    EXPECT_EQ("\xA1\xA2", MapGbkFullWidthToAscii("\xA1\xA2"));
}

TEST(LeadingInteger, ReadsLikeAtoi) {
    EXPECT_EQ(42, LeadingInteger("\t\n 42abc"));
    EXPECT_EQ(7, LeadingInteger("\r\v\f7"));
    EXPECT_EQ(0, LeadingInteger("- 5"));
    EXPECT_EQ(0, LeadingInteger("+"));
    EXPECT_EQ(-8, LeadingInteger("-008"));
}

}  // namespace
}  // namespace rt

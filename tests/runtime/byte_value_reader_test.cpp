// Reading values of each kind out of byte sets, with the position advanced by reference.
#include <gtest/gtest.h>

#include "runtime/byte_value_reader.h"
#include "runtime/value_conversions.h"

namespace rt {
namespace {

TEST(BytesReadValue, ReadsLittleEndianValuesOfEachKind) {
    const ByteSet data = {0x10, 0x20, 0x30, 0x40, 0xFF, 0x01, 0x02, 0x03, 0x04};
    EXPECT_EQ(0x04030201, *BytesReadValue(data, kReadInt, 6).Get<std::int32_t>());
    EXPECT_EQ(0x40302010, *BytesReadValue(data, kReadInt).Get<std::int32_t>());
    EXPECT_EQ(0xFF, *BytesReadValue(data, kReadByte, 5).Get<std::uint8_t>());
    EXPECT_EQ(0x01FF, *BytesReadValue(data, kReadShort, 5).Get<std::int16_t>());
    EXPECT_EQ(0x030201FF40302010LL, *BytesReadValue(data, kReadInt64).Get<std::int64_t>());
    EXPECT_EQ(
        0x04030201u,
        BytesReadValue(data, kReadSubProgram, 6).Get<TaggedValue::SubProgramAddress>()->address);
    EXPECT_EQ(kTagSubProgram, BytesReadValue(data, kReadSubProgram, 1).Tag());
}

TEST(BytesReadValue, FloatsTruthValuesDatesAndTexts) {
    const ByteSet one = {0, 0, 0x80, 0x3F};
    EXPECT_EQ(1.0f, *BytesReadValue(one, kReadFloat).Get<float>());
    EXPECT_TRUE(*BytesReadValue({0, 0, 0, 0x80}, kReadBool).Get<bool>());
    EXPECT_FALSE(*BytesReadValue({0, 0, 0, 0}, kReadBool).Get<bool>());
    const ByteSet two = {0, 0, 0, 0, 0, 0, 0, 0x40};
    EXPECT_EQ(2.0, *BytesReadValue(two, kReadDouble).Get<double>());
    EXPECT_EQ("1900年1月1日", ValueToText(BytesReadValue(two, kReadDateTime)));
    const ByteSet texts = {'a', 'b', 0, 'c'};
    EXPECT_EQ("ab", ValueToText(BytesReadValue(texts, kReadText)));
    EXPECT_EQ("c", ValueToText(BytesReadValue(texts, kReadText, 4)));
}

TEST(BytesReadValue, OutsideTheDataGivesZeroAndShortTailsReadAsZero) {
    const ByteSet data = {1, 2, 3};
    EXPECT_EQ(0, ValueToInt(BytesReadValue(data, kReadInt, 4)));
    EXPECT_EQ(0, ValueToInt(BytesReadValue(data, kReadInt, 0)));
    EXPECT_EQ(0, ValueToInt(BytesReadValue({}, kReadInt)));
    EXPECT_EQ(0x0302, ValueToInt(BytesReadValue(data, kReadInt, 2)));
    EXPECT_EQ(kTagText, BytesReadValue(data, kReadText, 9).Tag());
}

TEST(BytesReadValue, PositionByReferenceAdvancesOrBecomesMinusOne) {
    const ByteSet data = {'h', 'i', 0, 5, 0, 0, 0, 7};
    int position = 1;
    EXPECT_EQ("hi", ValueToText(BytesReadValueAndAdvance(data, kReadText, position)));
    EXPECT_EQ(4, position);
    EXPECT_EQ(5, ValueToInt(BytesReadValueAndAdvance(data, kReadInt, position)));
    EXPECT_EQ(8, position);
    EXPECT_EQ(7, ValueToInt(BytesReadValueAndAdvance(data, kReadByte, position)));
    EXPECT_EQ(9, position);  // just past the end: the read ended inside the data
    EXPECT_EQ(0, ValueToInt(BytesReadValueAndAdvance(data, kReadByte, position)));
    EXPECT_EQ(-1, position);  // started outside
    position = 7;
    EXPECT_EQ(0x0700, ValueToInt(BytesReadValueAndAdvance(data, kReadInt, position)));
    EXPECT_EQ(-1, position);  // ran beyond the end
    position = 8;
    BytesReadValueAndAdvance(data, kReadText, position);  // no terminating zero left
    EXPECT_EQ(-1, position);
}

TEST(BytesReadValueDeath, UnknownKindIsRuntimeError100) {
    EXPECT_EXIT(BytesReadValue({1}, 11), testing::ExitedWithCode(0), "error number is 100");
    EXPECT_EXIT(BytesReadValue({1}, 0), testing::ExitedWithCode(0), "error number is 100");
}

}  // namespace
}  // namespace rt

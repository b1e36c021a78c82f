#include "runtime/registry_data.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

using rt::ByteSet;
using rt::TaggedValue;

ByteSet DwordBytes(std::uint32_t v) {
    return {static_cast<std::uint8_t>(v), static_cast<std::uint8_t>(v >> 8),
            static_cast<std::uint8_t>(v >> 16), static_cast<std::uint8_t>(v >> 24)};
}

void ExpectDword(const TaggedValue& value, std::uint32_t expected) {
    const auto data = rt::RegistryDataOf(value);
    ASSERT_TRUE(data.has_value());
    EXPECT_EQ(data->type, rt::kRegDword);
    EXPECT_EQ(data->bytes, DwordBytes(expected));
}

TEST(RegistryDataTest, TextIsStoredWithOneTerminatingZero) {
    const auto data = rt::RegistryDataOf(TaggedValue::Text("ab"));
    ASSERT_TRUE(data.has_value());
    EXPECT_EQ(data->type, rt::kRegText);
    EXPECT_EQ(data->bytes, (ByteSet{'a', 'b', 0}));
    // Null text: just the terminating zero. Bytes after an embedded zero are not text.
    EXPECT_EQ(rt::RegistryDataOf(TaggedValue::Text(""))->bytes, ByteSet{0});
    EXPECT_EQ(rt::RegistryDataOf(TaggedValue::Text(std::string("x\0y", 3)))->bytes,
              (ByteSet{'x', 0}));
}

TEST(RegistryDataTest, ByteSetIsBinaryAlsoWhenEmpty) {
    const auto empty = rt::RegistryDataOf(TaggedValue::Bytes({}));
    ASSERT_TRUE(empty.has_value());
    EXPECT_EQ(empty->type, rt::kRegBinary);
    EXPECT_TRUE(empty->bytes.empty());
    EXPECT_EQ(rt::RegistryDataOf(TaggedValue::Bytes({0, 7}))->bytes, (ByteSet{0, 7}));
}

TEST(RegistryDataTest, NumbersBecomeDwords) {
    ExpectDword(TaggedValue::Byte(200), 200);
    ExpectDword(TaggedValue::Short(-2), 0xFFFFFFFEu);
    ExpectDword(TaggedValue::Int(0x12345678), 0x12345678u);
    ExpectDword(TaggedValue::Int64(0x1'0000'0005LL), 5);
    ExpectDword(TaggedValue::Float(3.9f), 3);
    ExpectDword(TaggedValue::Double(-2.9), 0xFFFFFFFEu);
    ExpectDword(TaggedValue::Double(4294967297.0), 1);  // low 32 bits of the whole number
}

TEST(RegistryDataTest, OutOfRangeFloatsDoNotOverflow) {
    EXPECT_EQ(rt::TruncatedDword(std::nan("")), 0);
    EXPECT_EQ(rt::TruncatedDword(1e300), -1);  // saturated to the largest int64
    EXPECT_EQ(rt::TruncatedDword(-1e300), 0);  // smallest int64: low 32 bits are zero
    EXPECT_EQ(rt::TruncatedDword(std::numeric_limits<double>::infinity()), -1);
}

TEST(RegistryDataTest, OtherKindsWriteNothing) {
    EXPECT_FALSE(rt::RegistryDataOf(TaggedValue{}).has_value());
    EXPECT_FALSE(rt::RegistryDataOf(TaggedValue::Bool(true)).has_value());
    EXPECT_FALSE(rt::RegistryDataOf(TaggedValue::DateTime(1.5)).has_value());
    EXPECT_FALSE(rt::RegistryDataOf(TaggedValue::SubProgram(0x401000)).has_value());
    EXPECT_FALSE(
        rt::RegistryDataOf(TaggedValue::ArrayOf(std::vector<std::int32_t>{1})).has_value());
    EXPECT_FALSE(rt::RegistryDataOf(TaggedValue::Opaque(rt::kTagText)).has_value());
}

}  // namespace

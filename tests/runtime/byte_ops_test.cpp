// Byte-set slicing, searching and replacing; copying from memory with a readability check.
#include <gtest/gtest.h>

#include "runtime/byte_ops.h"

namespace rt {
namespace {

const ByteSet kSample = {1, 2, 3, 4, 5};

TEST(ByteOps, NewLeftRightAndMid) {
    EXPECT_EQ((ByteSet{0, 0, 0}), BytesNew(3));
    EXPECT_TRUE(BytesNew(0).empty());
    EXPECT_EQ(5, BytesLength(kSample));
    EXPECT_EQ((ByteSet{1, 2}), BytesLeft(kSample, 2));
    EXPECT_EQ(kSample, BytesLeft(kSample, 50));
    EXPECT_TRUE(BytesLeft(kSample, 0).empty());
    EXPECT_EQ((ByteSet{4, 5}), BytesRight(kSample, 2));
    EXPECT_EQ(kSample, BytesRight(kSample, 50));
    EXPECT_TRUE(BytesRight(kSample, -1).empty());
    EXPECT_EQ((ByteSet{2, 3}), BytesMid(kSample, 2, 2));
    EXPECT_EQ((ByteSet{1, 2}), BytesMid(kSample, -3, 2));  // start below 1 counts as 1
    EXPECT_EQ((ByteSet{5}), BytesMid(kSample, 5, 9));
    EXPECT_TRUE(BytesMid(kSample, 6, 1).empty());
    EXPECT_TRUE(BytesMid(kSample, 1, 0).empty());
}

TEST(ByteOps, FindGivesOneBasedPositionOrMinusOne) {
    const ByteSet data = {7, 1, 2, 7, 1, 2};
    EXPECT_EQ(2, BytesFind(data, {1, 2}));
    EXPECT_EQ(5, BytesFind(data, {1, 2}, 3));
    EXPECT_EQ(-1, BytesFind(data, {2, 1}));
    EXPECT_EQ(-1, BytesFind(data, {}));
    EXPECT_EQ(-1, BytesFind(data, {1}, 7));
    EXPECT_EQ(-1, BytesFind({}, {1}));
}

TEST(ByteOps, ReplaceRemovesOrSubstitutes) {
    EXPECT_EQ((ByteSet{1, 9, 9, 9, 4, 5}), BytesReplace(kSample, 2, 2, {9, 9, 9}));
    EXPECT_EQ((ByteSet{1, 4, 5}), BytesReplace(kSample, 2, 2));
    EXPECT_EQ((ByteSet{1, 2, 3, 9}), BytesReplace(kSample, 4, 10, {9}));
    EXPECT_EQ((ByteSet{9, 3, 4, 5}), BytesReplace(kSample, 0, 2, {9}));
    EXPECT_EQ(kSample, BytesReplace(kSample, 6, 1, {9}));
    EXPECT_EQ(kSample, BytesReplace(kSample, 1, 0, {9}));
    EXPECT_EQ((ByteSet{9}), BytesReplace({}, 1, 1, {9}));
}

TEST(ByteOps, FromMemoryCopiesReadableRangesOnly) {
    const char source[] = "abc";
    EXPECT_EQ((ByteSet{'a', 'b', 'c'}), BytesFromMemory(source, 3));
    EXPECT_TRUE(BytesFromMemory(source, 0).empty());
    EXPECT_TRUE(BytesFromMemory(nullptr, 4).empty());
    EXPECT_TRUE(BytesFromMemory(reinterpret_cast<const void*>(std::uintptr_t{16}), 4).empty());
}

}  // namespace
}  // namespace rt

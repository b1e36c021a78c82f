// Bit operations, colours, rounding and sleeping.
#include <chrono>

#include <gtest/gtest.h>

#include "runtime/number_ops.h"

namespace rt {
namespace {

TEST(NumberOps, BitOperationsFoldAllArguments) {
    EXPECT_EQ(0x7, BitOr(0x1, 0x2, 0x4));
    EXPECT_EQ(0x5, BitOr(0x5));
    EXPECT_EQ(0x2, BitAnd(0x7, 0x6, 0x3));
    EXPECT_EQ(0x6, BitXor(0x1, 0x2, 0x5));
    EXPECT_EQ(-1, BitNot(0));
}

TEST(NumberOps, ShiftRightKeepsTheSignAndTakesTheCountModulo32) {
    EXPECT_EQ(-2, ShiftRight(-8, 2));
    EXPECT_EQ(4, ShiftRight(16, 34));
    EXPECT_EQ(16, ShiftRight(16, 32));
    EXPECT_EQ(-1, ShiftRight(-1, 31));
    EXPECT_EQ(1, ShiftRight(0x10000, 16));
    EXPECT_EQ(-2, ShiftRight(-0x40000000, 29));
    EXPECT_EQ(1, ShiftRight(0x40000000, 30));
}

TEST(NumberOps, RgbColorTakesEachPartAsAByte) {
    EXPECT_EQ(0x00332211, RgbColor(0x11, 0x22, 0x33));
    EXPECT_EQ(0x00FF00FF, RgbColor(0x1FF, 0, -1));
}

TEST(NumberOps, RoundToRoundsHalfUpAtTheGivenPlaces) {
    EXPECT_EQ(3.0, RoundTo(2.5));
    EXPECT_EQ(-2.0, RoundTo(-2.5));  // half up, not away from zero
    EXPECT_DOUBLE_EQ(1.13, RoundTo(1.125, 2));
    EXPECT_DOUBLE_EQ(-1.12, RoundTo(-1.125, 2));
    EXPECT_EQ(1200.0, RoundTo(1249.0, -2));
    EXPECT_EQ(1300.0, RoundTo(1250.0, -2));
    // Negative values that are not halves go to the nearer value, whichever way that is.
    EXPECT_EQ(-3.0, RoundTo(-2.6));
    EXPECT_EQ(-2.0, RoundTo(-2.4));
    EXPECT_DOUBLE_EQ(-1.3, RoundTo(-1.26, 1));
    EXPECT_EQ(-1200.0, RoundTo(-1249.0, -2));
    EXPECT_EQ(-1300.0, RoundTo(-1251.0, -2));
    EXPECT_EQ(2.5, AbsValue(-2.5));
}

TEST(NumberOps, SleepWaitsAtLeastTheTime) {
    const auto before = std::chrono::steady_clock::now();
    SleepMs(30);
    SleepMs(-5);
    EXPECT_GE(std::chrono::steady_clock::now() - before, std::chrono::milliseconds(25));
}

}  // namespace
}  // namespace rt

// OLE Automation dates split into calendar parts and shown as text.
#include <cmath>

#include <gtest/gtest.h>

#include "runtime/date_time.h"
#include "runtime/value_conversions.h"

namespace rt {
namespace {

CivilDateTime Split(double oleDays) {
    const std::optional<CivilDateTime> parts = SplitOleDate(oleDays);
    EXPECT_TRUE(parts.has_value()) << oleDays;
    return parts.value_or(CivilDateTime{});
}

TEST(OleDate, CalendarDatesFollowTheGregorianRules) {
    EXPECT_EQ((CivilDateTime{1899, 12, 30, 0, 0, 0}), Split(0));
    EXPECT_EQ((CivilDateTime{1900, 1, 1, 0, 0, 0}), Split(2));
    EXPECT_EQ((CivilDateTime{1900, 3, 1, 0, 0, 0}), Split(61));  // 1900 is no leap year
    EXPECT_EQ((CivilDateTime{2000, 2, 29, 0, 0, 0}), Split(36585));
    EXPECT_EQ((CivilDateTime{2024, 1, 1, 0, 0, 0}), Split(45292));
    EXPECT_EQ((CivilDateTime{9999, 12, 31, 0, 0, 0}), Split(2958465));
    EXPECT_EQ((CivilDateTime{100, 1, 1, 0, 0, 0}), Split(-657434));
}

TEST(OleDate, TimeOfDayIsTheAbsoluteFractionRoundedToSeconds) {
    EXPECT_EQ((CivilDateTime{1899, 12, 30, 12, 0, 0}), Split(0.5));
    EXPECT_EQ((CivilDateTime{1899, 12, 29, 6, 0, 0}), Split(-1.25));
    EXPECT_EQ((CivilDateTime{2024, 1, 1, 13, 45, 30}),
              Split(45292 + (13 * 3600 + 45 * 60 + 30.4) / 86400));
    EXPECT_EQ((CivilDateTime{2024, 1, 1, 0, 0, 1}), Split(45292 + 0.6 / 86400));
}

TEST(OleDate, AlmostMidnightRollsOverToTheNextDay) {
    EXPECT_EQ((CivilDateTime{2024, 1, 2, 0, 0, 0}), Split(45292 + 86399.7 / 86400));
    EXPECT_EQ((CivilDateTime{1899, 12, 30, 0, 0, 0}), Split(-1 - 86399.7 / 86400));
}

TEST(OleDate, ValuesOutsideTheCalendarGiveNothing) {
    EXPECT_FALSE(SplitOleDate(std::nan("")).has_value());
    EXPECT_FALSE(SplitOleDate(1e18).has_value());
    EXPECT_FALSE(SplitOleDate(-657435).has_value());
    EXPECT_EQ("", DateTimeText(HUGE_VAL));
}

TEST(OleDate, TextShowsTheTimeOnlyAsFarAsItIsNotZero) {
    const double day = 45292;  // 2024-01-01
    EXPECT_EQ("2024年1月1日", DateTimeText(day));
    EXPECT_EQ("2024年1月1日9时", DateTimeText(day + 9.0 / 24));
    EXPECT_EQ("2024年1月1日9时5分", DateTimeText(day + (9 * 60 + 5) / 1440.0));
    EXPECT_EQ("2024年1月1日0时0分7秒", DateTimeText(day + 7 / 86400.0));
    EXPECT_EQ("2024年1月1日9时0分7秒",
              ValueToText(TaggedValue::DateTime(day + (9 * 3600 + 7) / 86400.0)));
}

}  // namespace
}  // namespace rt

#include "runtime/date_time.h"

#include <cmath>
#include <cstdint>
#include <string>

namespace rt {
namespace {

constexpr double kFirstOleDay = -657434.0;  // 0100-01-01
constexpr double kEndOleDay = 2958466.0;    // 10000-01-01
constexpr std::int64_t kOleDayOfUnixEpoch = 25569;
constexpr std::int64_t kSecondsPerDay = 86400;

// Civil date of a day count since 1970-01-01 (H. Hinnant's days-to-civil).
void CivilFromDays(std::int64_t days, CivilDateTime& out) {
    days += 719468;
    const std::int64_t era = (days >= 0 ? days : days - 146096) / 146097;
    const std::int64_t dayOfEra = days - era * 146097;
    const std::int64_t yearOfEra =
        (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const std::int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const std::int64_t monthIndex = (5 * dayOfYear + 2) / 153;  // March is 0
    out.day = static_cast<int>(dayOfYear - (153 * monthIndex + 2) / 5 + 1);
    out.month = static_cast<int>(monthIndex < 10 ? monthIndex + 3 : monthIndex - 9);
    out.year = static_cast<int>(yearOfEra + era * 400 + (out.month <= 2 ? 1 : 0));
}

}  // namespace

std::optional<CivilDateTime> SplitOleDate(double oleDays) {
    if (!(oleDays >= kFirstOleDay && oleDays < kEndOleDay)) return std::nullopt;
    const double wholeDays = std::trunc(oleDays);
    // For dates before 1899-12-30 the fraction still counts forward from midnight.
    const double fraction = std::fabs(oleDays - wholeDays);
    std::int64_t seconds = static_cast<std::int64_t>(fraction * kSecondsPerDay + 0.5);
    std::int64_t day = static_cast<std::int64_t>(wholeDays);
    if (seconds >= kSecondsPerDay) {
        seconds -= kSecondsPerDay;
        ++day;
    }
    CivilDateTime parts;
    CivilFromDays(day - kOleDayOfUnixEpoch, parts);
    parts.hour = static_cast<int>(seconds / 3600);
    parts.minute = static_cast<int>(seconds / 60 % 60);
    parts.second = static_cast<int>(seconds % 60);
    return parts;
}

TextValue DateTimeText(double oleDays) {
    const std::optional<CivilDateTime> parts = SplitOleDate(oleDays);
    if (!parts) return {};
    const auto number = [](int value) { return std::to_string(value); };
    TextValue text =
        number(parts->year) + "年" + number(parts->month) + "月" + number(parts->day) + "日";
    if (parts->second != 0) {
        text += number(parts->hour) + "时" + number(parts->minute) + "分" + number(parts->second) +
                "秒";
    } else if (parts->minute != 0) {
        text += number(parts->hour) + "时" + number(parts->minute) + "分";
    } else if (parts->hour != 0) {
        text += number(parts->hour) + "时";
    }
    return text;
}

}  // namespace rt

// OLE Automation dates (days since 1899-12-30, the fraction is the time of day) split into their
// calendar parts and shown as text. Portable.
#pragma once

#include <optional>

#include "runtime/value_types.h"

namespace rt {

struct CivilDateTime {
    int year = 0, month = 0, day = 0;
    int hour = 0, minute = 0, second = 0;
    friend bool operator==(const CivilDateTime&, const CivilDateTime&) = default;
};

// Calendar date and time of day to the nearest second (proleptic Gregorian calendar). A time that
// rounds up to midnight belongs to the next day. Dates outside the years 100 to 9999, and
// values that are not numbers, give nothing.
std::optional<CivilDateTime> SplitOleDate(double oleDays);

// "%d年%d月%d日" followed by "%d时%d分%d秒", "%d时%d分" or "%d时" as far as the time of day is
// not zero; null for dates SplitOleDate rejects.
TextValue DateTimeText(double oleDays);

}  // namespace rt

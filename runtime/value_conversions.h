// Conversions of tagged values to text, integer and bytes. Portable.
#pragma once

#include <cstdint>
#include <string_view>

#include "runtime/tagged_value.h"
#include "runtime/value_types.h"

namespace rt {

// Truth values as "真"/"假", date-times as calendar text, numbers in decimal (floats with six
// decimals, trailing zeros trimmed), byte sets and integer arrays as their bytes up to the first
// zero byte. Other kinds give null.
TextValue ValueToText(const TaggedValue& value);

// Numbers truncated toward zero, texts read as a leading decimal integer after full-width
// characters are mapped to ASCII; other kinds give 0.
std::int32_t ValueToInt(const TaggedValue& value);

// The value's bytes: texts without a terminating zero, numbers in little-endian order, numeric
// arrays as their packed elements; other kinds give null.
ByteSet ValueToBytes(const TaggedValue& value);

// The leading decimal integer as atoi reads it: optional white space and sign, then digits; no
// digits give 0, and values beyond the 32-bit range stop at its ends.
std::int32_t LeadingInteger(std::string_view text);

// Truncation toward zero as the processor does it: values outside the 64-bit range (and NaN)
// give the smallest 64-bit integer.
std::int64_t TruncateToInt64(double value);

}  // namespace rt

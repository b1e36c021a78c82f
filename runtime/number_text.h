// Decimal text of numbers as the runtime shows them. Portable.
#pragma once

#include <cstdint>

#include "runtime/value_types.h"

namespace rt {

// Removes trailing "0" characters and then a trailing "." of a fixed-point text ("1.500000" ->
// "1.5", "2.000000" -> "2"); texts without a decimal point stay as they are.
TextValue TrimTrailingZeros(TextValue text);

// Six-decimal fixed-point text ("%f"), trailing zeros trimmed. Never truncated, however large.
TextValue FixedPointText(double value);

TextValue DecimalText(std::int64_t value);

}  // namespace rt

// Reading one value of a given kind out of a byte set. Portable.
#pragma once

#include "runtime/tagged_value.h"
#include "runtime/value_types.h"

namespace rt {

enum ReadKind : int {
    kReadByte = 1,
    kReadShort = 2,
    kReadInt = 3,
    kReadInt64 = 4,
    kReadFloat = 5,
    kReadDouble = 6,
    kReadBool = 7,
    kReadDateTime = 8,
    kReadSubProgram = 9,
    kReadText = 10,
};

// The value of `kind` at 1-based `position`, little-endian. Outside the data the value is zero;
// bytes missing at the end read as zero. Text reads up to the first zero byte or the end. A kind
// outside 1..10 is runtime error 100.
TaggedValue BytesReadValue(const ByteSet& bytes, int kind, int position = 1);

// As BytesReadValue, then moves `position` past what was read (a text and its terminating zero),
// or sets it to -1 when the read started outside the data or ran beyond its end.
TaggedValue BytesReadValueAndAdvance(const ByteSet& bytes, int kind, int& position);

}  // namespace rt

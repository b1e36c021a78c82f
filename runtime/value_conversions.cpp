#include "runtime/value_conversions.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>

#include "runtime/date_time.h"
#include "runtime/half_width.h"
#include "runtime/number_text.h"

namespace rt {
namespace {

// The stored value of type T, or T's zero when the value holds none (an opaque tag).
template <class T>
T ValueOr0(const TaggedValue& value) {
    const T* stored = value.Get<T>();
    return stored ? *stored : T{};
}

std::int32_t SubProgramAsInt(const TaggedValue& value) {
    return static_cast<std::int32_t>(ValueOr0<TaggedValue::SubProgramAddress>(value).address);
}

double OleDaysOf(const TaggedValue& value) {
    return ValueOr0<TaggedValue::DateTimeValue>(value).oleDays;
}

template <class T>
ByteSet LittleEndianBytes(T number) {
    ByteSet bytes(sizeof number);
    std::memcpy(bytes.data(), &number, sizeof number);
    return bytes;
}

TextValue TextUpToZero(const ByteSet& bytes) {
    const auto end = std::find(bytes.begin(), bytes.end(), 0);
    return TextValue(bytes.begin(), end);
}

bool IsIntegerElement(std::uint32_t elementTag) {
    return elementTag == kTagInt || elementTag == kTagSubProgram || elementTag == kTagByte ||
           elementTag == kTagShort || elementTag == kTagInt64;
}

bool IsNumericElement(std::uint32_t elementTag) {
    return elementTag == kTagByte || elementTag == kTagShort || elementTag == kTagInt ||
           elementTag == kTagInt64 || elementTag == kTagFloat || elementTag == kTagDouble;
}

const ByteSet* PackedElementsOf(const TaggedValue& value) {
    const auto* packed = value.Get<TaggedValue::PackedArray>();
    return packed ? &packed->elements : nullptr;
}

}  // namespace

TextValue ValueToText(const TaggedValue& value) {
    if (value.IsArray()) {
        const ByteSet* elements = PackedElementsOf(value);
        if (elements && IsIntegerElement(value.ElementTag())) return TextUpToZero(*elements);
        return {};
    }
    switch (value.Tag()) {
        case kTagBool:
            return ValueOr0<bool>(value) ? "真" : "假";
        case kTagDateTime:
            return DateTimeText(OleDaysOf(value));
        case kTagText:
            return ValueOr0<TextValue>(value);
        case kTagBytes:
            return TextUpToZero(ValueOr0<ByteSet>(value));
        case kTagInt:
            return DecimalText(ValueOr0<std::int32_t>(value));
        case kTagSubProgram:
            return DecimalText(SubProgramAsInt(value));
        case kTagByte:
            return DecimalText(ValueOr0<std::uint8_t>(value));
        case kTagShort:
            return DecimalText(ValueOr0<std::int16_t>(value));
        case kTagInt64:
            return DecimalText(ValueOr0<std::int64_t>(value));
        case kTagFloat:
            return FixedPointText(ValueOr0<float>(value));
        case kTagDouble:
            return FixedPointText(ValueOr0<double>(value));
        default:
            return {};
    }
}

std::int32_t ValueToInt(const TaggedValue& value) {
    switch (value.Tag()) {
        case kTagBool:
            return ValueOr0<bool>(value) ? 1 : 0;
        case kTagInt:
            return ValueOr0<std::int32_t>(value);
        case kTagSubProgram:
            return SubProgramAsInt(value);
        case kTagInt64:
            return static_cast<std::int32_t>(ValueOr0<std::int64_t>(value));
        case kTagByte:
            return ValueOr0<std::uint8_t>(value);
        case kTagShort:
            return ValueOr0<std::int16_t>(value);
        case kTagFloat:
            return static_cast<std::int32_t>(TruncateToInt64(ValueOr0<float>(value)));
        case kTagDouble:
            return static_cast<std::int32_t>(TruncateToInt64(ValueOr0<double>(value)));
        case kTagText:
            return LeadingInteger(NormalizeHalfWidth(ValueOr0<TextValue>(value)));
        default:
            return 0;
    }
}

ByteSet ValueToBytes(const TaggedValue& value) {
    if (value.IsArray()) {
        const ByteSet* elements = PackedElementsOf(value);
        if (elements && IsNumericElement(value.ElementTag())) return *elements;
        return {};
    }
    switch (value.Tag()) {
        case kTagText: {
            const TextValue text = ValueOr0<TextValue>(value);
            return ByteSet(text.begin(), text.end());
        }
        case kTagBytes:
            return ValueOr0<ByteSet>(value);
        case kTagInt:
            return LittleEndianBytes(ValueOr0<std::int32_t>(value));
        case kTagBool:
            return LittleEndianBytes<std::int32_t>(ValueOr0<bool>(value) ? 1 : 0);
        case kTagFloat:
            return LittleEndianBytes(ValueOr0<float>(value));
        case kTagSubProgram:
            return LittleEndianBytes(SubProgramAsInt(value));
        case kTagInt64:
            return LittleEndianBytes(ValueOr0<std::int64_t>(value));
        case kTagDouble:
            return LittleEndianBytes(ValueOr0<double>(value));
        case kTagDateTime:
            return LittleEndianBytes(OleDaysOf(value));
        case kTagByte:
            return LittleEndianBytes(ValueOr0<std::uint8_t>(value));
        case kTagShort:
            return LittleEndianBytes(ValueOr0<std::int16_t>(value));
        default:
            return {};
    }
}

std::int32_t LeadingInteger(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r')))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    constexpr std::int64_t kLimit = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
    std::int64_t magnitude = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        magnitude = std::min(kLimit, magnitude * 10 + (text[i] - '0'));
    }
    if (negative) return static_cast<std::int32_t>(-magnitude);
    return static_cast<std::int32_t>(std::min(magnitude, kLimit - 1));
}

std::int64_t TruncateToInt64(double value) {
    constexpr double kTwoTo63 = 9223372036854775808.0;
    if (!(value >= -kTwoTo63 && value < kTwoTo63)) {
        return std::numeric_limits<std::int64_t>::min();
    }
    return static_cast<std::int64_t>(value);
}

}  // namespace rt

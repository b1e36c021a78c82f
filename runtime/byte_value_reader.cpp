#include "runtime/byte_value_reader.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "runtime/runtime_error.h"

namespace rt {
namespace {

std::size_t SizeOfKind(int kind) {
    switch (kind) {
        case kReadByte:
            return 1;
        case kReadShort:
            return 2;
        case kReadInt64:
        case kReadDouble:
        case kReadDateTime:
            return 8;
        default:
            return 4;  // int, float, truth value, sub-program
    }
}

template <class T>
T FromRaw(const std::uint8_t* raw) {
    T number;
    std::memcpy(&number, raw, sizeof number);
    return number;
}

// A fixed-size value from eight little-endian bytes (unused high bytes are zero).
TaggedValue FixedValue(int kind, const std::uint8_t* raw) {
    switch (kind) {
        case kReadByte:
            return TaggedValue::Byte(raw[0]);
        case kReadShort:
            return TaggedValue::Short(FromRaw<std::int16_t>(raw));
        case kReadInt:
            return TaggedValue::Int(FromRaw<std::int32_t>(raw));
        case kReadInt64:
            return TaggedValue::Int64(FromRaw<std::int64_t>(raw));
        case kReadFloat:
            return TaggedValue::Float(FromRaw<float>(raw));
        case kReadDouble:
            return TaggedValue::Double(FromRaw<double>(raw));
        case kReadBool:
            return TaggedValue::Bool(FromRaw<std::uint32_t>(raw) != 0);
        case kReadDateTime:
            return TaggedValue::DateTime(FromRaw<double>(raw));
        default:
            return TaggedValue::SubProgram(FromRaw<std::uint32_t>(raw));
    }
}

// Reads the value; `next` receives the position after it, or -1.
TaggedValue ReadAt(const ByteSet& bytes, int kind, int position, int& next) {
    if (kind < kReadByte || kind > kReadText) RaiseRuntimeError(kErrorReadKind);
    const std::size_t size = bytes.size();
    if (position < 1 || static_cast<std::size_t>(position) > size) {
        next = -1;
        if (kind == kReadText) return TaggedValue::Text({});
        const std::uint8_t zero[8] = {};
        return FixedValue(kind, zero);
    }
    const std::size_t offset = static_cast<std::size_t>(position - 1);
    std::size_t consumed;
    TaggedValue value;
    if (kind == kReadText) {
        const auto begin = bytes.begin() + static_cast<std::ptrdiff_t>(offset);
        const auto end = std::find(begin, bytes.end(), 0);
        value = TaggedValue::Text(TextValue(begin, end));
        consumed = static_cast<std::size_t>(end - begin) + 1;  // and the terminating zero
    } else {
        std::uint8_t raw[8] = {};
        consumed = SizeOfKind(kind);
        std::memcpy(raw, bytes.data() + offset, std::min(consumed, size - offset));
        value = FixedValue(kind, raw);
    }
    next = offset + consumed > size ? -1 : static_cast<int>(offset + consumed + 1);
    return value;
}

}  // namespace

TaggedValue BytesReadValue(const ByteSet& bytes, int kind, int position) {
    int next = 0;
    return ReadAt(bytes, kind, position, next);
}

TaggedValue BytesReadValueAndAdvance(const ByteSet& bytes, int kind, int& position) {
    return ReadAt(bytes, kind, position, position);
}

}  // namespace rt

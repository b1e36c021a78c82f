#include "runtime/registry_data.h"

#include <cmath>
#include <cstring>
#include <limits>
#include <type_traits>

namespace rt {

namespace {

ByteSet LittleEndian(std::uint32_t value) {
    return {static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8),
            static_cast<std::uint8_t>(value >> 16), static_cast<std::uint8_t>(value >> 24)};
}

RegistryData Dword(std::int64_t value) {
    return {kRegDword, LittleEndian(static_cast<std::uint32_t>(value))};
}

RegistryData TextData(const TextValue& text) {
    const std::size_t length = std::strlen(text.c_str());
    ByteSet bytes(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(length));
    bytes.push_back(0);
    return {kRegText, std::move(bytes)};
}

}  // namespace

std::int32_t TruncatedDword(double value) {
    if (std::isnan(value)) return 0;
    // 2^63 is exactly representable; anything at or beyond it saturates instead of overflowing.
    constexpr double kLimit = 9223372036854775808.0;
    std::int64_t whole;
    if (value >= kLimit) {
        whole = std::numeric_limits<std::int64_t>::max();
    } else if (value < -kLimit) {
        whole = std::numeric_limits<std::int64_t>::min();
    } else {
        whole = static_cast<std::int64_t>(value);
    }
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(whole));
}

namespace {

// A tag without the matching payload (an opaque value) has nothing to write.
template <class T>
std::optional<RegistryData> DwordOf(const TaggedValue& value) {
    const T* number = value.Get<T>();
    if (number == nullptr) return std::nullopt;
    if constexpr (std::is_floating_point_v<T>) {
        return Dword(TruncatedDword(*number));
    } else {
        return Dword(*number);
    }
}

}  // namespace

std::optional<RegistryData> RegistryDataOf(const TaggedValue& value) {
    switch (value.Tag()) {
        case kTagText:
            if (const TextValue* text = value.Get<TextValue>()) return TextData(*text);
            return std::nullopt;
        case kTagBytes:
            if (const ByteSet* bytes = value.Get<ByteSet>())
                return RegistryData{kRegBinary, *bytes};
            return std::nullopt;
        case kTagByte:
            return DwordOf<std::uint8_t>(value);
        case kTagShort:
            return DwordOf<std::int16_t>(value);
        case kTagInt:
            return DwordOf<std::int32_t>(value);
        case kTagInt64:
            return DwordOf<std::int64_t>(value);
        case kTagFloat:
            return DwordOf<float>(value);
        case kTagDouble:
            return DwordOf<double>(value);
        default:
            return std::nullopt;
    }
}

}  // namespace rt

// What RegWriteValue stores for a value: the registry type chosen from the value's tag and the
// data bytes. Portable, so the choice can be checked natively.
#pragma once

#include <cstdint>
#include <optional>

#include "runtime/tagged_value.h"

namespace rt {

// Registry value types, numbered as the registry numbers them.
enum RegistryValueType : std::uint32_t {
    kRegText = 1,    // REG_SZ
    kRegBinary = 3,  // REG_BINARY
    kRegDword = 4,   // REG_DWORD
};

struct RegistryData {
    RegistryValueType type;
    ByteSet bytes;
};

// Text: its bytes up to the first zero plus a terminating zero. Byte set: its bytes (possibly
// none). Byte, short, int: the 32-bit value; int64: its low 32 bits; float and double: truncated
// toward zero. Any other tag (arrays, truth values, omitted ...) gives nullopt: nothing to write.
std::optional<RegistryData> RegistryDataOf(const TaggedValue& value);

// The 32-bit value a float or double is stored as: truncated toward zero, then the low 32 bits
// of the 64-bit result; values beyond the 64-bit range saturate and NaN gives 0.
std::int32_t TruncatedDword(double value);

}  // namespace rt

// The runtime's value model in standard C++ types.
//
// Texts are ANSI byte strings in the system code page (936 on the target): an empty string stands
// for the null text. Byte sets are plain byte vectors: empty stands for the null byte set. Where a
// caller must tell "no data" from "zero bytes" (reading an empty file), std::optional<ByteSet> is
// used. Portable: no platform headers.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace rt {

using TextValue = std::string;
using ByteSet = std::vector<std::uint8_t>;
using OptionalBytes = std::optional<ByteSet>;

// Type tags of tagged values; kArrayFlag is OR-ed into an element tag to mark an array.
enum TypeTag : std::uint32_t {
    kTagOmitted = 0,
    kTagBool = 0x80000002,
    kTagDateTime = 0x80000003,
    kTagText = 0x80000004,
    kTagBytes = 0x80000005,
    kTagSubProgram = 0x80000006,
    kTagByte = 0x80000101,
    kTagShort = 0x80000201,
    kTagInt = 0x80000301,
    kTagInt64 = 0x80000401,
    kTagFloat = 0x80000501,
    kTagDouble = 0x80000601,
    kArrayFlag = 0x20000000,
    // An argument that is a library object (the XML document).
    kTagLibraryObject = 0x00040001,
};

// Button codes of message boxes: the Win32 button id minus one.
enum MessageBoxResult : int {
    kResultOk = 0,
    kResultCancel = 1,
    kResultAbort = 2,
    kResultRetry = 3,
    kResultIgnore = 4,
    kResultYes = 5,
    kResultNo = 6,
};

}  // namespace rt

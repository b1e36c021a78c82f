// Writing a whole span of bytes to an open file.
#pragma once

#include <windows.h>

#include <cstddef>

namespace rt {

// Writes every byte, in pieces WriteFile can take (its length is 32 bits). After a short write
// it goes on with the rest, so that the system names its reason (a full disk) on the next call;
// a write that takes nothing yet reports success stands for a full disk. False with the reason
// in GetLastError, never a failure that reads "error 0".
bool WriteAll(HANDLE file, const void* data, std::size_t size);

}  // namespace rt

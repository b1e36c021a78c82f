// Every page of the range must be committed and readable; asking the memory manager (rather than
// probing with IsBadReadPtr) leaves guard pages of thread stacks untouched.
#include <windows.h>

#include <cstring>

#include "runtime/byte_ops.h"

namespace rt {
namespace {

bool IsReadableProtection(DWORD protect) {
    if (protect & (PAGE_GUARD | PAGE_NOACCESS)) return false;
    const DWORD readable = PAGE_READONLY | PAGE_READWRITE | PAGE_WRITECOPY | PAGE_EXECUTE_READ |
                           PAGE_EXECUTE_READWRITE | PAGE_EXECUTE_WRITECOPY;
    return (protect & readable) != 0;
}

bool IsReadableRange(const void* from, std::size_t count) {
    auto at = reinterpret_cast<std::uintptr_t>(from);
    const std::uintptr_t end = at + count;
    if (end < at) return false;  // wraps around the address space
    while (at < end) {
        MEMORY_BASIC_INFORMATION info{};
        if (VirtualQuery(reinterpret_cast<const void*>(at), &info, sizeof info) == 0) return false;
        if (info.State != MEM_COMMIT || !IsReadableProtection(info.Protect)) return false;
        at = reinterpret_cast<std::uintptr_t>(info.BaseAddress) + info.RegionSize;
    }
    return true;
}

}  // namespace

bool CopyReadableMemory(const void* from, std::size_t count, std::uint8_t* to) {
    if (!IsReadableRange(from, count)) return false;
    std::memcpy(to, from, count);
    return true;
}

}  // namespace rt

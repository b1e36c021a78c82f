// Reading the system's process-information records (the 32-bit layout the program runs with)
// out of the buffer the system filled. Portable, so that the walk can be checked anywhere.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace inst {

struct RawProcessRecord {
    std::uint32_t processId = 0;
    bool hasImageName = false;  // false for the record whose name buffer is null (the idle process)
    std::u16string imageName;   // empty when the name does not lie inside the buffer
};

// Byte offsets of the fields used in one record.
struct ProcessRecordLayout {
    static constexpr std::size_t kNextEntryOffset = 0;
    static constexpr std::size_t kImageNameLength = 56;
    static constexpr std::size_t kImageNameBuffer = 60;
    static constexpr std::size_t kUniqueProcessId = 68;
    static constexpr std::size_t kFieldsEnd = 72;
};

// Walks the chain of records in `data`, which the process sees at address `baseAddress` (name
// buffers are absolute addresses into it). A record cut by the end of the data, or a next
// offset that leaves the data, ends the walk, so a damaged buffer is never read past its end.
std::vector<RawProcessRecord> WalkProcessRecords(const std::uint8_t* data, std::size_t size,
                                                 std::uint32_t baseAddress);

}  // namespace inst

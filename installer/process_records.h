// Reading the system's process-information records out of the buffer the system filled. The
// record layout depends on the pointer size of the process that asked; both are described here,
// so that the walk can be checked anywhere, for either size.
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

// Byte offsets of the fields used in one record, and the pointer size of the name buffer and
// the process id (both pointer-sized in the system's record).
struct ProcessRecordLayout {
    std::size_t nextEntryOffset;
    std::size_t imageNameLength;
    std::size_t imageNameBuffer;
    std::size_t uniqueProcessId;
    std::size_t pointerSize;

    constexpr std::size_t FieldsEnd() const { return uniqueProcessId + pointerSize; }
};

inline constexpr ProcessRecordLayout kProcessRecordLayout32{0, 56, 60, 68, 4};
inline constexpr ProcessRecordLayout kProcessRecordLayout64{0, 56, 64, 80, 8};
// The layout the system uses for this process.
inline constexpr const ProcessRecordLayout& kNativeProcessRecordLayout =
    sizeof(void*) == 8 ? kProcessRecordLayout64 : kProcessRecordLayout32;

// Walks the chain of records in `data`, which the process sees at address `baseAddress` (name
// buffers are absolute addresses into it). A record cut by the end of the data, or a next
// offset that leaves the data, ends the walk, so a damaged buffer is never read past its end.
std::vector<RawProcessRecord> WalkProcessRecords(const std::uint8_t* data, std::size_t size,
                                                 std::uint64_t baseAddress,
                                                 const ProcessRecordLayout& layout);

}  // namespace inst

#include "installer/process_records.h"

#include <cstring>

namespace inst {
namespace {

template <typename T>
T ReadField(const std::uint8_t* record, std::size_t offset) {
    T value;
    std::memcpy(&value, record + offset, sizeof value);
    return value;
}

// The name's code units when all of them lie inside the data; empty otherwise.
std::u16string ReadImageName(const std::uint8_t* data, std::size_t size, std::uint32_t baseAddress,
                             std::uint32_t address, std::uint16_t lengthBytes) {
    if (address < baseAddress) return {};
    const std::size_t offset = address - baseAddress;
    const std::size_t units = lengthBytes / 2;
    if (offset > size || units * 2 > size - offset) return {};
    std::u16string name(units, u'\0');
    std::memcpy(name.data(), data + offset, units * 2);
    return name;
}

}  // namespace

std::vector<RawProcessRecord> WalkProcessRecords(const std::uint8_t* data, std::size_t size,
                                                 std::uint32_t baseAddress) {
    using Layout = ProcessRecordLayout;
    std::vector<RawProcessRecord> records;
    std::size_t offset = 0;
    while (size >= Layout::kFieldsEnd && offset <= size - Layout::kFieldsEnd) {
        const std::uint8_t* record = data + offset;
        RawProcessRecord raw;
        raw.processId = ReadField<std::uint32_t>(record, Layout::kUniqueProcessId);
        const auto nameAddress = ReadField<std::uint32_t>(record, Layout::kImageNameBuffer);
        raw.hasImageName = nameAddress != 0;
        if (raw.hasImageName) {
            raw.imageName =
                ReadImageName(data, size, baseAddress, nameAddress,
                              ReadField<std::uint16_t>(record, Layout::kImageNameLength));
        }
        records.push_back(std::move(raw));
        const auto next = ReadField<std::uint32_t>(record, Layout::kNextEntryOffset);
        if (next == 0 || next > size - offset) break;
        offset += next;
    }
    return records;
}

}  // namespace inst

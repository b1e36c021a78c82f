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

// A pointer-sized field of the record, widened.
std::uint64_t ReadPointer(const std::uint8_t* record, std::size_t offset, std::size_t pointerSize) {
    return pointerSize == 8 ? ReadField<std::uint64_t>(record, offset)
                            : ReadField<std::uint32_t>(record, offset);
}

// The name's code units when all of them lie inside the data; empty otherwise.
std::u16string ReadImageName(const std::uint8_t* data, std::size_t size, std::uint64_t baseAddress,
                             std::uint64_t address, std::uint16_t lengthBytes) {
    if (address < baseAddress || address - baseAddress > size) return {};
    const auto offset = static_cast<std::size_t>(address - baseAddress);
    const std::size_t units = lengthBytes / 2;
    if (units * 2 > size - offset) return {};
    std::u16string name(units, u'\0');
    std::memcpy(name.data(), data + offset, units * 2);
    return name;
}

}  // namespace

std::vector<RawProcessRecord> WalkProcessRecords(const std::uint8_t* data, std::size_t size,
                                                 std::uint64_t baseAddress,
                                                 const ProcessRecordLayout& layout) {
    const std::size_t fieldsEnd = layout.FieldsEnd();
    std::vector<RawProcessRecord> records;
    std::size_t offset = 0;
    while (size >= fieldsEnd && offset <= size - fieldsEnd) {
        const std::uint8_t* record = data + offset;
        RawProcessRecord raw;
        // Process ids are 32-bit values even where the field is pointer-sized.
        raw.processId = static_cast<std::uint32_t>(
            ReadPointer(record, layout.uniqueProcessId, layout.pointerSize));
        const std::uint64_t nameAddress =
            ReadPointer(record, layout.imageNameBuffer, layout.pointerSize);
        raw.hasImageName = nameAddress != 0;
        if (raw.hasImageName) {
            raw.imageName = ReadImageName(data, size, baseAddress, nameAddress,
                                          ReadField<std::uint16_t>(record, layout.imageNameLength));
        }
        records.push_back(std::move(raw));
        const auto next = ReadField<std::uint32_t>(record, layout.nextEntryOffset);
        if (next == 0 || next > size - offset) break;
        offset += next;
    }
    return records;
}

}  // namespace inst

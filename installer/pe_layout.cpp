#include "installer/pe_layout.h"

#include <algorithm>
#include <cstring>

#include "installer/archive_format.h"

namespace inst {

namespace {

// The offsets of the PE format that matter here (Microsoft's "PE Format" document).
constexpr std::uint64_t kPeOffsetAt = 0x3C;  // in the DOS header: where "PE\0\0" starts
constexpr std::uint64_t kCoffHeaderSize = 20;
constexpr std::uint64_t kSectionHeaderSize = 40;
constexpr std::uint16_t kPe32Magic = 0x10B;
constexpr std::uint16_t kPe32PlusMagic = 0x20B;
// In the optional header: NumberOfRvaAndSizes, right before the data directories.
constexpr std::uint64_t kPe32DirectoryCountAt = 92;
constexpr std::uint64_t kPe32PlusDirectoryCountAt = 108;
constexpr std::uint32_t kSecurityDirectory = 4;

bool PeHolds(std::span<const std::uint8_t> file, std::uint64_t at, std::uint64_t size) {
    return at <= file.size() && size <= file.size() - at;
}

std::uint16_t PeU16(std::span<const std::uint8_t> file, std::uint64_t at) {
    return static_cast<std::uint16_t>(file[at] | file[at + 1] << 8);
}

// Where NumberOfRvaAndSizes lies in an optional header of this magic; 0 for another magic.
std::uint64_t DirectoryCountAt(std::uint16_t magic) {
    if (magic == kPe32Magic) return kPe32DirectoryCountAt;
    if (magic == kPe32PlusMagic) return kPe32PlusDirectoryCountAt;
    return 0;
}

}  // namespace

std::optional<PeLayout> ReadPeLayout(std::span<const std::uint8_t> file) {
    if (!PeHolds(file, 0, kPeOffsetAt + 4) || file[0] != 'M' || file[1] != 'Z') return {};
    const std::uint64_t signature = ReadU32(file.data() + kPeOffsetAt);
    if (!PeHolds(file, signature, 4 + kCoffHeaderSize) ||
        std::memcmp(file.data() + signature, "PE\0\0", 4) != 0)
        return {};
    const std::uint64_t coff = signature + 4;
    const std::uint64_t sectionCount = PeU16(file, coff + 2);
    const std::uint64_t optional = coff + kCoffHeaderSize;
    const std::uint64_t optionalSize = PeU16(file, coff + 16);
    if (optionalSize < 2 || !PeHolds(file, optional, optionalSize)) return {};
    const std::uint64_t countAt = DirectoryCountAt(PeU16(file, optional));
    if (countAt == 0 || optionalSize < countAt + 4) return {};

    PeLayout layout;
    if (ReadU32(file.data() + optional + countAt) > kSecurityDirectory) {
        const std::uint64_t entry = optional + countAt + 4 + 8 * kSecurityDirectory;
        if (entry + 8 > optional + optionalSize) return {};
        layout.certificatesOffset = ReadU32(file.data() + entry);
        layout.certificatesSize = ReadU32(file.data() + entry + 4);
    }

    const std::uint64_t table = optional + optionalSize;
    if (!PeHolds(file, table, sectionCount * kSectionHeaderSize)) return {};
    layout.sectionsEnd = table + sectionCount * kSectionHeaderSize;
    for (std::uint64_t i = 0; i < sectionCount; ++i) {
        const std::uint8_t* section = file.data() + table + i * kSectionHeaderSize;
        const std::uint64_t rawSize = ReadU32(section + 16);
        const std::uint64_t rawAt = ReadU32(section + 20);
        if (rawSize == 0) continue;
        if (!PeHolds(file, rawAt, rawSize)) return {};
        layout.sectionsEnd = std::max(layout.sectionsEnd, rawAt + rawSize);
    }

    layout.appendedEnd = file.size();
    if (layout.Signed()) {
        if (layout.certificatesOffset < layout.sectionsEnd ||
            !PeHolds(file, layout.certificatesOffset, layout.certificatesSize))
            return {};
        layout.appendedEnd = layout.certificatesOffset;
    }
    return layout;
}

}  // namespace inst

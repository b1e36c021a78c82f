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
// In the optional header, PE32 and PE32+ alike: CheckSum.
constexpr std::uint64_t kChecksumAt = 64;

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

// The headers of a PE file as far as they matter here; nothing when they do not lie inside it.
struct PeHeaderFields {
    std::uint64_t optional = 0;  // where the optional header starts
    std::uint64_t optionalSize = 0;
    std::uint64_t sectionCount = 0;
    std::uint64_t securityEntry = 0;  // where the certificate table's entry lies; 0: none
};

std::optional<PeHeaderFields> ReadPeHeaderFields(std::span<const std::uint8_t> file) {
    if (!PeHolds(file, 0, kPeOffsetAt + 4) || file[0] != 'M' || file[1] != 'Z') return {};
    const std::uint64_t signature = ReadU32(file.data() + kPeOffsetAt);
    if (!PeHolds(file, signature, 4 + kCoffHeaderSize) ||
        std::memcmp(file.data() + signature, "PE\0\0", 4) != 0)
        return {};
    const std::uint64_t coff = signature + 4;
    PeHeaderFields fields;
    fields.sectionCount = PeU16(file, coff + 2);
    fields.optional = coff + kCoffHeaderSize;
    fields.optionalSize = PeU16(file, coff + 16);
    if (fields.optionalSize < 2 || !PeHolds(file, fields.optional, fields.optionalSize)) return {};
    const std::uint64_t countAt = DirectoryCountAt(PeU16(file, fields.optional));
    if (countAt == 0 || fields.optionalSize < countAt + 4) return {};
    if (ReadU32(file.data() + fields.optional + countAt) > kSecurityDirectory) {
        fields.securityEntry = fields.optional + countAt + 4 + 8 * kSecurityDirectory;
        if (fields.securityEntry + 8 > fields.optional + fields.optionalSize) return {};
    }
    return fields;
}

// The checksum of the optional header (as imagehlp's CheckSumMappedFile forms it): the 16-bit
// one's complement sum of the file, the checksum field left out, plus the file's length.
std::uint32_t PeFileChecksum(std::span<const std::uint8_t> file, std::uint64_t checksumAt) {
    std::uint64_t sum = 0;
    for (std::uint64_t at = 0; at < file.size(); at += 2) {
        if (at == checksumAt || at == checksumAt + 2) continue;
        sum += file[at] | (at + 1 < file.size() ? file[at + 1] << 8 : 0);
        sum = (sum & 0xFFFF) + (sum >> 16);
    }
    sum = (sum & 0xFFFF) + (sum >> 16);
    return static_cast<std::uint32_t>(sum + file.size());
}

}  // namespace

std::optional<PeLayout> ReadPeLayout(std::span<const std::uint8_t> file) {
    const std::optional<PeHeaderFields> fields = ReadPeHeaderFields(file);
    if (!fields) return {};
    PeLayout layout;
    if (fields->securityEntry != 0) {
        layout.certificatesOffset = ReadU32(file.data() + fields->securityEntry);
        layout.certificatesSize = ReadU32(file.data() + fields->securityEntry + 4);
    }
    const std::uint64_t sectionCount = fields->sectionCount;

    const std::uint64_t table = fields->optional + fields->optionalSize;
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

void DetachCertificateTable(std::span<std::uint8_t> program) {
    const std::optional<PeHeaderFields> fields = ReadPeHeaderFields(program);
    if (!fields || fields->securityEntry == 0 ||
        ReadU32(program.data() + fields->securityEntry + 4) == 0)
        return;
    std::fill_n(program.begin() + static_cast<std::ptrdiff_t>(fields->securityEntry), 8, 0);
    const std::uint64_t checksumAt = fields->optional + kChecksumAt;
    const std::uint32_t checksum = PeFileChecksum(program, checksumAt);
    for (int i = 0; i < 4; ++i)
        program[checksumAt + i] = static_cast<std::uint8_t>(checksum >> (8 * i));
}

}  // namespace inst

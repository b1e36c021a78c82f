// Where the parts of a Windows program file lie, as far as data appended to it is concerned:
// the end of its headers and sections, and its certificate table (an Authenticode signature),
// which signers place at the end of the file and which the file's hash leaves out. Portable.
#pragma once

#include <cstdint>
#include <optional>
#include <span>

namespace inst {

struct PeLayout {
    // The end of the section table and of the last section's raw data: what follows was
    // appended to the program.
    std::uint64_t sectionsEnd = 0;
    // The certificate table (IMAGE_DIRECTORY_ENTRY_SECURITY): a file offset and a size; a size
    // of 0 when the file is not signed.
    std::uint64_t certificatesOffset = 0;
    std::uint64_t certificatesSize = 0;
    // Where appended data ends: at the certificate table, else at the file's end.
    std::uint64_t appendedEnd = 0;

    bool Signed() const { return certificatesSize != 0; }
};

// Nothing when the bytes are not a PE file (PE32 or PE32+) whose headers and sections lie inside
// it (a download cut short is not one), or whose certificate table does not lie between the
// sections' end and the file's end.
std::optional<PeLayout> ReadPeLayout(std::span<const std::uint8_t> file);

// Makes the leading part of a signed file, cut where the data appended to the program begins,
// the unsigned program it was before signing: the header names no certificate table (the
// signature, which covered the appended data, stays behind with it) and its checksum is
// formed for the bytes as they are. An unsigned program, and bytes that do not start with a PE
// file's headers, are left as they are.
void DetachCertificateTable(std::span<std::uint8_t> program);

}  // namespace inst

#include "installer/uninstaller_copy.h"

#include <algorithm>

#include "installer/archive_file.h"
#include "installer/pe_layout.h"

namespace inst {

std::optional<std::uint64_t> UninstallerSize(const rt::TextValue& programPath,
                                             const ShippedPayload& payload) {
    const std::optional<std::uint64_t> size = ExistingFileSize(programPath);
    if (!size || !payload.programLength) return size;
    return std::min(*size, *payload.programLength);
}

// The program in front of an appended payload is small (the payload is what is large), so it
// goes through memory whole, where its header is made that of an unsigned program.
bool WriteUninstaller(FileReplacement& file, const rt::TextValue& programPath,
                      const ShippedPayload& payload) {
    if (!payload.programLength) return file.CopyFrom(programPath);
    ArchiveFile program;
    if (!program.Open(programPath, ArchiveFile::Mode::ReadExisting)) return false;
    rt::ByteSet bytes(static_cast<std::size_t>(*payload.programLength));
    if (!program.ReadAt(0, bytes)) return false;
    DetachCertificateTable(bytes);
    return file.Write(bytes);
}

}  // namespace inst

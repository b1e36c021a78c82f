#include "installer/archive_file.h"

namespace inst {

bool WriteFileBytes(const rt::TextValue& path, std::span<const std::uint8_t> bytes) {
    ArchiveFile file;
    return file.Open(path, ArchiveFile::Mode::CreateAlways) && file.Append(bytes);
}

}  // namespace inst

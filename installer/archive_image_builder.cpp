#include "installer/archive_image_builder.h"

#include <cstdint>

#include "installer/archive_format.h"

namespace inst {

bool ArchiveImageBuilder::Add(std::string_view name, std::span<const std::uint8_t> body) {
    if (name.empty() || name.find('\0') != std::string_view::npos) return false;
    // Room for this entry, the directory's end and the trailer below 4 GiB.
    const std::uint64_t after = std::uint64_t{data_.size()} + body.size() + directory_.size() +
                                name.size() + 13 + 1 + kArchiveTrailerSize;
    if (after > UINT32_MAX) return false;
    AppendDirectoryEntry(directory_, name, static_cast<std::uint32_t>(data_.size()),
                         static_cast<std::uint32_t>(body.size()));
    data_.insert(data_.end(), body.begin(), body.end());
    ++entryCount_;
    return true;
}

rt::ByteSet ArchiveImageBuilder::Finish() {
    rt::ByteSet image = std::move(data_);
    const auto dataSize = static_cast<std::uint32_t>(image.size());
    image.insert(image.end(), directory_.begin(), directory_.end());
    AppendDirectoryEnd(image, dataSize);
    data_.clear();
    directory_.clear();
    entryCount_ = 0;
    return image;
}

}  // namespace inst

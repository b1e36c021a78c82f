// Builds an archive image in memory from names and bodies given in order. Portable.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "runtime/value_types.h"

namespace inst {

class ArchiveImageBuilder {
  public:
    // Appends one entry. False (and nothing added) for a name that is empty or holds a 0 byte,
    // or when the image would no longer fit the format's 32-bit offsets.
    bool Add(std::string_view name, std::span<const std::uint8_t> body);

    std::size_t EntryCount() const { return entryCount_; }

    // The image: bodies, directory, directory offset, magic. The builder is empty afterwards.
    rt::ByteSet Finish();

  private:
    rt::ByteSet data_;
    rt::ByteSet directory_;
    std::size_t entryCount_ = 0;
};

}  // namespace inst

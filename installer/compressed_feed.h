// The compressed stream as the LZMA decoders take it in: a span already in memory, handed over
// at once, or pieces read through a reader into a small buffer, so that a payload kept in a file
// never sits in memory whole. Portable.
#pragma once

#include <lzma.h>

#include <cstdint>
#include <span>
#include <vector>

#include "installer/payload_codec.h"

namespace inst {

class CompressedFeed {
  public:
    // The stream in memory. Implicit, so that a span can be passed where a feed is taken.
    CompressedFeed(std::span<const std::uint8_t> stream);
    // `size` bytes from the reader's offset 0; the reader must outlive the feed.
    CompressedFeed(const ContainerReader& read, std::uint64_t size);

    std::uint64_t Size() const { return size_; }
    // Whether input remains, in the decoder or still to be handed over.
    bool Pending(const lzma_stream& stream) const { return stream.avail_in > 0 || handed_ < size_; }
    // Hands the decoder the next piece once it has used up the last; false when a read failed.
    bool Refill(lzma_stream& stream);

  private:
    std::span<const std::uint8_t> stream_;
    const ContainerReader* read_ = nullptr;
    std::uint64_t size_ = 0;
    std::uint64_t handed_ = 0;
    std::vector<std::uint8_t> buffer_;
};

}  // namespace inst

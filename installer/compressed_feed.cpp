#include "installer/compressed_feed.h"

#include <algorithm>

namespace inst {

namespace {

// Large enough that reading costs nothing next to decoding, small next to any image.
constexpr std::size_t kFeedPiece = 256 * 1024;

}  // namespace

CompressedFeed::CompressedFeed(std::span<const std::uint8_t> stream)
    : stream_(stream), size_(stream.size()) {}

CompressedFeed::CompressedFeed(const ContainerReader& read, std::uint64_t size)
    : read_(&read), size_(size) {}

bool CompressedFeed::Refill(lzma_stream& stream) {
    if (stream.avail_in > 0 || handed_ == size_) return true;
    if (read_ == nullptr) {
        stream.next_in = stream_.data();
        stream.avail_in = stream_.size();
        handed_ = size_;
        return true;
    }
    const auto piece =
        static_cast<std::size_t>(std::min<std::uint64_t>(kFeedPiece, size_ - handed_));
    buffer_.resize(piece);
    if (!(*read_)(handed_, buffer_)) return false;
    stream.next_in = buffer_.data();
    stream.avail_in = piece;
    handed_ += piece;
    return true;
}

}  // namespace inst

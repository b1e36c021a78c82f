#include "installer/lzma_in_place_decoder.h"

#include <algorithm>
#include <cstdlib>
#include <memory>

#include "runtime/checked_allocation.h"

namespace inst {

namespace {

constexpr std::size_t kScratchSize = 64 * 1024;

// Serves the one allocation of the dictionary's size from the image; all others from the heap.
struct ImageAllocator {
    std::uint8_t* image = nullptr;
    std::size_t dictionaryBytes = 0;
    bool handedOut = false;

    static void* Allocate(void* self, std::size_t count, std::size_t size) {
        auto* allocator = static_cast<ImageAllocator*>(self);
        if (size != 0 && count > SIZE_MAX / size) return nullptr;
        if (!allocator->handedOut && count * size == allocator->dictionaryBytes) {
            allocator->handedOut = true;
            return allocator->image;
        }
        return std::malloc(count * size);
    }
    static void Free(void* self, void* pointer) {
        if (pointer != static_cast<ImageAllocator*>(self)->image) std::free(pointer);
    }
};

// Runs the decoder through the scratch buffer until imageSize bytes came out; their CRC-32 in
// `checksum`.
int Decode(lzma_stream& stream, CompressedFeed& input, std::uint32_t imageSize,
           std::uint32_t& checksum, ProgressThrottle* progress) {
    std::unique_ptr<std::uint8_t[]> scratch(new std::uint8_t[kScratchSize]);
    std::uint64_t produced = 0;
    checksum = 0;
    while (produced < imageSize) {
        if (!input.Refill(stream)) return LZMA_DATA_ERROR;
        const std::size_t room =
            static_cast<std::size_t>(std::min<std::uint64_t>(kScratchSize, imageSize - produced));
        stream.next_out = scratch.get();
        stream.avail_out = room;
        const std::size_t inputBefore = stream.avail_in;
        const lzma_ret result = lzma_code(&stream, LZMA_RUN);
        const std::size_t out = room - stream.avail_out;
        checksum = lzma_crc32(scratch.get(), out, checksum);
        produced += out;
        if (progress != nullptr) progress->Report(produced);
        if (result == LZMA_STREAM_END) return produced == imageSize ? LZMA_OK : LZMA_DATA_ERROR;
        if (result != LZMA_OK) return result;
        // Input used up and nothing more coming out: the stream ends before the image does.
        if (out == 0 && stream.avail_in == 0 && inputBefore == 0) return LZMA_DATA_ERROR;
    }
    return LZMA_OK;
}

}  // namespace

int DecodeLzma1InPlace(CompressedFeed input, lzma_options_lzma options, std::uint32_t imageSize,
                       rt::ByteSet& image, ProgressThrottle* progress) {
    if (imageSize > UINT32_MAX - 64) return LZMA_MEM_ERROR;
    // liblzma rounds the dictionary up to 16 bytes; 16 more keep its write position from ever
    // wrapping to the start.
    const std::size_t dictionaryBytes = (std::size_t{imageSize} + 16 + 15) & ~std::size_t{15};
    if (!rt::TryAssignZeros(image, dictionaryBytes)) return LZMA_MEM_ERROR;
    ImageAllocator allocator{image.data(), dictionaryBytes, false};
    const lzma_allocator hooks{&ImageAllocator::Allocate, &ImageAllocator::Free, &allocator};
    options.dict_size = static_cast<std::uint32_t>(dictionaryBytes);
    const lzma_filter filters[] = {{LZMA_FILTER_LZMA1, &options}, {LZMA_VLI_UNKNOWN, nullptr}};
    lzma_stream stream = LZMA_STREAM_INIT;
    stream.allocator = &hooks;
    int result = lzma_raw_decoder(&stream, filters);
    std::uint32_t checksum = 0;
    if (result == LZMA_OK) result = Decode(stream, input, imageSize, checksum, progress);
    lzma_end(&stream);
    if (result != LZMA_OK) return result;
    if (!allocator.handedOut || lzma_crc32(image.data(), imageSize, 0) != checksum)
        return kInPlaceUnavailable;
    image.resize(imageSize);
    return LZMA_OK;
}

}  // namespace inst

// Arbitrary files as the stub's own file: FindAppendedPayload either finds nothing or a payload
// inside the space between the sections and the end (or the certificate table), followed there
// by zero padding and the trailer that the packer writes for exactly those values.
#include <algorithm>
#include <cstdint>
#include <cstdlib>

#include "installer/appended_payload.h"
#include "installer/pe_layout.h"

namespace {

// Whether the container's end is followed by `padding` zero bytes and its trailer, before `end`.
bool TrailerFollows(const std::uint8_t* data, std::uint64_t end, std::uint64_t at,
                    const inst::ShippedPayload& found, std::uint32_t padding) {
    const rt::ByteSet trailer = inst::EncodeAppendedTrailer(
        {static_cast<std::uint32_t>(found.container.size()), padding, found.imageChecksum});
    if (at + padding + trailer.size() > end) return false;
    return std::all_of(data + at, data + at + padding, [](std::uint8_t b) { return b == 0; }) &&
           std::equal(trailer.begin(), trailer.end(), data + at + padding);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> file(data, size);
    const std::optional<inst::ShippedPayload> found = inst::FindAppendedPayload(file);
    if (!found) return 0;
    const std::optional<inst::PeLayout> layout = inst::ReadPeLayout(file);
    if (!layout) std::abort();
    const auto start = static_cast<std::uint64_t>(found->container.data() - data);
    const std::uint64_t containerEnd = start + found->container.size();
    if (start < layout->sectionsEnd || containerEnd > layout->appendedEnd) std::abort();
    bool followed = false;
    for (std::uint32_t padding = 0; padding < 8; ++padding)
        followed =
            followed || TrailerFollows(data, layout->appendedEnd, containerEnd, *found, padding);
    if (!followed) std::abort();
    return 0;
}

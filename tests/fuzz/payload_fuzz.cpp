// Arbitrary payloads through UnpackPayload: it either fails with an empty image or gives
// exactly the declared number of bytes, which are then opened as an archive image.
#include <cstdint>
#include <cstdlib>

#include "installer/archive_format.h"
#include "installer/archive_reader.h"
#include "installer/payload_codec.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    rt::ByteSet image{1};
    const int result = inst::UnpackPayload({data, size}, image);
    if (result != 0) {
        if (!image.empty()) std::abort();
        return 0;
    }
    if (size < inst::kPayloadTrailerSize || image.size() != inst::ReadU32(data + size - 4))
        std::abort();
    inst::ArchiveReader reader;
    if (reader.Open("", std::move(image)))
        for (const inst::ArchiveEntry& entry : reader.Entries())
            reader.ReadEntry(entry.name);
    return 0;
}

// Images decoded on a worker thread while the window that shows them is being made. Decoding is
// most of a window's start-up (each image goes through the system's codecs); the program names
// the images of its first frame before the toolkit starts, the worker starts with GDI+ and
// decodes them in that order, and LoadImage takes an image decoded ahead for the same bytes
// instead of decoding them again. An image the worker has not reached yet is decoded by its
// caller as before; a caller that waits for the image the worker decodes decodes the last ones
// meanwhile.
#pragma once

#include <optional>
#include <vector>

#include "toolkit/core/images.h"

namespace ui {

struct AheadImage {
    ByteView bytes;  // linked into the program (art::Bytes): valid for the whole run
    bool addSignature = false;
};

// Before StartToolkit: the images to decode ahead, in the order they are needed (later, nothing).
void DecodeAheadOnStart(std::vector<AheadImage> images);
// Called by StartToolkit once GDI+ is up, with the toolkit's own images, decoded after the
// program's (which its first frame needs): starts the worker when there is anything to decode.
void StartDecodingAhead(std::vector<AheadImage> last);
// The image decoded ahead for the same bytes, waiting while the worker decodes it (and decoding
// meanwhile what nobody has started, from the back of the queue); nothing when none was named,
// it was taken already or nobody has started on it (the caller then decodes it; the worker
// skips it).
std::optional<LoadedImage> TakeDecodedAhead(ByteView bytes, bool addSignature);

}  // namespace ui

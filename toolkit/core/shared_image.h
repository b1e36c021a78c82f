// An image of the program shared by every element of a kind (a control's skin): decoded once,
// when it is first needed, and kept until the toolkit shuts down.
#pragma once

#include "toolkit/core/gdiplus_api.h"
#include "toolkit/core/images.h"

namespace ui {

class SharedImage {
  public:
    // `bytes`: an image the program carries (art::Bytes), kept by the program for its whole
    // run; `addSignature`: it is a PNG stored without its 8-byte signature.
    SharedImage(ByteView bytes, bool addSignature) : bytes_(bytes), addSignature_(addSignature) {}
    SharedImage(const SharedImage&) = delete;
    SharedImage& operator=(const SharedImage&) = delete;

    // Decodes the image at the first call after start-up; 0 when it cannot be decoded.
    GpImage* Get();

  private:
    ByteView bytes_;
    bool addSignature_;
    bool decoded_ = false;
    ImagePtr image_;
};

}  // namespace ui

// An image of the program shared by every element of a kind (a control's skin): decoded once,
// when it is first needed, and kept until the toolkit shuts down.
#pragma once

#include "toolkit/core/gdiplus_api.h"

namespace ui {

class SharedImage {
  public:
    // `embedded`: a byte-set constant linked in by the build; `addSignature`: it is a PNG stored
    // without its 8-byte signature.
    SharedImage(const unsigned char* embedded, bool addSignature)
        : embedded_(embedded), addSignature_(addSignature) {}
    SharedImage(const SharedImage&) = delete;
    SharedImage& operator=(const SharedImage&) = delete;

    // Decodes the image at the first call after start-up; 0 when it cannot be decoded.
    GpImage* Get();

  private:
    const unsigned char* embedded_;
    bool addSignature_;
    bool decoded_ = false;
    ImagePtr image_;
};

}  // namespace ui

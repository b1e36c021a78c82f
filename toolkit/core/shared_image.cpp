#include "toolkit/core/shared_image.h"

#include "toolkit/core/images.h"
#include "toolkit/core/toolkit.h"

namespace ui {

GpImage* SharedImage::Get() {
    if (!decoded_ && ToolkitStarted()) {
        decoded_ = true;
        image_ = LoadImage(bytes_, addSignature_).TakeImage();
        RegisterToolkitCleanup([this] {
            image_.reset();
            decoded_ = false;
        });
    }
    return image_.get();
}

}  // namespace ui

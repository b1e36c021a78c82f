// The wizard's images (resources/art.list), copied for the elements that keep their own.
#pragma once

#include <cstdint>
#include <vector>

#include "art/wizard_art.h"

namespace wiz {

using ImageBytes = std::vector<std::uint8_t>;

inline ImageBytes ImageCopy(art::WizardImage image) {
    const ui::ByteView bytes = art::Bytes(image);
    return {bytes.begin(), bytes.end()};
}

}  // namespace wiz

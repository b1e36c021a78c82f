#include "runtime/half_width.h"

namespace rt {

TextValue MapToHalfWidth(std::string_view text) {
    return MapGbkFullWidthToAscii(text);
}

}  // namespace rt

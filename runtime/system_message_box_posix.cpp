// Without a desktop the box is printed to stderr and answered with its default button, so
// native runs never wait for input.
#include <cstdio>

#include "runtime/system_message_box.h"

namespace rt {

int PlatformMessageBox(const TextValue& text, const TextValue& title, unsigned style) {
    std::fprintf(stderr, "[%s] %s\n", title.c_str(), text.c_str());
    std::fflush(stderr);
    return DefaultButtonOf(style);
}

}  // namespace rt

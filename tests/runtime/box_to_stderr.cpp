#include "box_to_stderr.h"

#include <cstdio>

#include "runtime/system_message_box.h"

namespace rt {

void PrintBoxesToStderr() {
    SetMessageBoxHandler([](const TextValue& text, const TextValue& title, unsigned style) {
        std::fprintf(stderr, "box %s|%u|%s\n", title.c_str(), style, text.c_str());
        std::fflush(stderr);
        return kIdOk;
    });
}

namespace {
const bool kInstalledAtStart = (PrintBoxesToStderr(), true);
}  // namespace

}  // namespace rt

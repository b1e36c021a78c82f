// Natively the program's path comes from /proc and uses "/" between its parts.
#include <unistd.h>

#include <chrono>
#include <cstdlib>

#include "runtime/program_identity.h"

namespace rt {
namespace {

TextValue OwnPath() {
    char buffer[4096];
    const ssize_t length = readlink("/proc/self/exe", buffer, sizeof buffer);
    if (length <= 0 || static_cast<std::size_t>(length) >= sizeof buffer) return {};
    return TextValue(buffer, static_cast<std::size_t>(length));
}

unsigned MillisecondsSinceStart() {
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    return static_cast<unsigned>(
        std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
}

}  // namespace

TextValue OwnFileName() {
    return FileNameOfPath(OwnPath(), '/');
}
TextValue OwnDirectory() {
    return DirectoryOfPath(OwnPath(), '/');
}

void SeedRandom(std::optional<int> seed) {
    std::srand(seed ? static_cast<unsigned>(*seed) : MillisecondsSinceStart());
}

}  // namespace rt

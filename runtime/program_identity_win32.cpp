#include <windows.h>

#include <cstdlib>

#include "runtime/program_identity.h"

namespace rt {
namespace {

TextValue OwnPath() {
    char buffer[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameA(nullptr, buffer, MAX_PATH);
    if (length == 0) return {};
    return TextValue(buffer, length < MAX_PATH ? length : MAX_PATH - 1);
}

}  // namespace

TextValue OwnFileName() {
    return FileNameOfPath(OwnPath());
}
TextValue OwnDirectory() {
    return DirectoryOfPath(OwnPath());
}

void SeedRandom(std::optional<int> seed) {
    std::srand(seed ? static_cast<unsigned>(*seed) : GetTickCount());
}

}  // namespace rt

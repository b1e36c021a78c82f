// What the running program knows about itself: its file name and folder, and the seeding of the
// standard random generator.
#pragma once

#include <optional>
#include <string_view>

#include "runtime/value_types.h"

namespace rt {

// The program file's name without its directory ("uninstall.exe").
TextValue OwnFileName();
// The program file's directory without a trailing separator ("C:\Tools"). Both give null when
// the system does not tell the program's path.
TextValue OwnDirectory();

// srand with the seed, or with the milliseconds since system start when none is given.
void SeedRandom(std::optional<int> seed = std::nullopt);

// The text after the last `separator` character (never the trail byte of a double-byte
// character); the whole path when it holds none.
TextValue FileNameOfPath(std::string_view path, char separator = '\\');
// The text before the last `separator`; the whole path when it holds none.
TextValue DirectoryOfPath(std::string_view path, char separator = '\\');

}  // namespace rt

// Names in the updater's file list are paths relative to the install directory. The list is
// a file anyone could have written, so a name is used only when, appended to the directory,
// it stays inside it. Portable.
#pragma once

#include <string_view>

#include "runtime/value_types.h"

namespace inst {

// False for an empty name, a name that starts with "\" or "/" (absolute or a share), one with
// a ":" anywhere (a drive, also "C:x", or a stream), and one with a part made only of dots and
// spaces ("..", and forms such as ". ." that the file system may shorten to it). "\" and "/"
// both separate parts; double-byte characters stay whole, so a trail byte 0x5C is no separator.
bool IsNameInsideInstallDirectory(std::string_view name);

// True when a folder on the way from the install directory (`base`, ending with "\") to the
// listed file, or the file itself, is a link (a junction or a symbolic link): deleting through
// it could reach a file outside the directory.
bool PassesThroughLink(const rt::TextValue& base, std::string_view name);

}  // namespace inst

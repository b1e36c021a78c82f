// The install directory made of a folder chosen in the folder browser: the product's folder
// below the chosen one, unless the choice already is the product's or the maker's folder.
#pragma once

#include "runtime/value_types.h"

namespace wiz {

// D:\Games -> D:\Games\Korrel\VantorFenWix, D:\ -> D:\Korrel\VantorFenWix,
// D:\Korrel -> D:\Korrel\VantorFenWix, D:\Games\VantorFenWix stays. The last name of the path
// (after its last backslash, never a trail byte) compares exactly, letter case included.
rt::TextValue InstallDirForChosenFolder(const rt::TextValue& chosen);

}  // namespace wiz

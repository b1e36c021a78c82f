// Removal of the product's Start-menu entries, shared by the install (Start-menu option off)
// and the uninstall. The maker's folder is shared with the maker's other products, so it goes
// only when nothing but this product's entries was in it.
#pragma once

#include "installer/install_layout.h"
#include "installer/setup_log.h"
#include "runtime/value_types.h"

namespace inst {

// Deletes both shortcuts, the product folder with everything in it, and then the maker's
// folder if it is left empty. Each removal goes into the log.
void RemoveStartMenuEntries(const StartMenuPaths& paths, SetupLog& log);

// True when the folder exists and holds no entry besides "." and "..".
bool IsEmptyFolder(const rt::TextValue& folder);

}  // namespace inst

// Removes the installed product: stops it, deletes its files, shortcuts and registry entries,
// and reports which folder still holds files.
#pragma once

namespace inst {

void RunUninstall();

}  // namespace inst

// The start-up routine: seeds the random generator, chooses the run mode from the program's
// own file name, and runs the installer (or brings an open wizard to the front) or asks
// whether to uninstall.
#pragma once

namespace inst {

inline constexpr char kUninstallQuestion[] = "是否卸载 VantorSaelin ？";
inline constexpr char kUninstallTitle[] = "卸载 VantorSaelin";

// Returns the process exit code, which is 0 on every path.
int RunStartup();

}  // namespace inst

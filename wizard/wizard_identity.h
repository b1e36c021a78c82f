// The wizard window's class and title: a second installer finds the first one by them.
#pragma once

namespace wiz {

inline constexpr char kWizardClassName[] = "FenWix";
inline constexpr char kWizardTitle[] = "VantorSaelin 安装向导";

}  // namespace wiz

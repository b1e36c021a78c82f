#include "wizard/install_dir_choice.h"

#include "installer/install_layout.h"
#include "runtime/program_identity.h"

namespace wiz {

rt::TextValue InstallDirForChosenFolder(const rt::TextValue& chosen) {
    const rt::TextValue last = rt::FileNameOfPath(chosen);
    if (last == inst::kProductFolderName) return chosen;
    if (last == inst::kMakerFolderName) return inst::InFolder(chosen, inst::kProductFolderName);
    const rt::TextValue below = inst::InFolder(inst::kMakerFolderName, inst::kProductFolderName);
    // A drive root ("D:\") already ends with its backslash.
    return last.empty() ? chosen + below : inst::InFolder(chosen, below.c_str());
}

}  // namespace wiz

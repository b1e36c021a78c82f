// The lower, white half of the wizard: the install directory, one check box per install choice
// (inst::kInstallChoices) and the install button. The page keeps no copy of the choices: they
// are read from its elements when the install button is clicked.
#pragma once

#include <windows.h>

#include <array>
#include <cstdint>
#include <iterator>

#include "installer/install_options.h"
#include "toolkit/controls/check_box.h"
#include "toolkit/controls/edit_box.h"
#include "toolkit/controls/image_button.h"
#include "toolkit/controls/progress_bar.h"
#include "toolkit/controls/push_button.h"
#include "toolkit/core/label.h"

namespace wiz {

class OptionsPage {
  public:
    // Creates the page's elements in `window` (BuildOptionsPage); the boxes are unchecked and
    // the directory empty until the saved choices arrive. Clicks of the two buttons go to
    // `onClick`.
    void Build(HWND window, const ui::ElementHandler& onClick);

    // The choices as the page shows them now.
    inst::InstallOptions Choices() const;
    // Shows saved (or default) choices.
    void Show(const inst::InstallOptions& choices);
    void SetInstallPath(const rt::TextValue& path);
    // The bar under the install button: shown with `done` of `total` filled, or hidden.
    void ShowProgress(std::uint64_t done, std::uint64_t total);
    void HideProgress();

    // Runs the folder browser over `owner` and puts the directory made of the chosen folder
    // into the directory box; a cancelled browser changes nothing.
    void BrowseInstallDir(HWND owner);

    const ui::ImageButton& InstallButton() const { return installButton_; }
    const ui::PushButton& BrowseButton() const { return browseButton_; }
    const ui::Label& DirLabel() const { return dirLabel_; }
    const ui::EditBox& DirEdit() const { return dirEdit_; }
    const ui::ProgressBar& ProgressBar() const { return progressBar_; }

  private:
    void BuildInstallButton(HWND window, const ui::ElementHandler& onClick);
    void BuildDirectoryRow(HWND window, const ui::ElementHandler& onClick);
    void BuildBoxes(HWND window);

    ui::ImageButton installButton_;
    ui::Label dirLabel_;
    ui::EditBox dirEdit_;
    ui::PushButton browseButton_;
    // The box of each install choice, in the table's order.
    std::array<ui::CheckBox, std::size(inst::kInstallChoices)> boxes_;
    ui::ProgressBar progressBar_;
};

}  // namespace wiz

#include "wizard/options_page.h"

#include "wizard/folder_browser.h"
#include "wizard/install_dir_choice.h"
#include "wizard/wizard_images.h"

namespace wiz {
namespace {

constexpr int kButtonAnimationMs = 30;
constexpr int kFolderDrives = 17;  // CSIDL_DRIVES: the browser starts at the computer's drives
constexpr char kBrowseTitle[] = "请选择安装目录：";

// The box of each install choice, in the order of inst::kInstallChoices.
struct BoxLayout {
    float top;
    float width;
    const char* caption;
    const char* tooltip;  // or none
};
constexpr BoxLayout kBoxes[] = {
    {144, 76, "开机启动", nullptr},
    {168, 124, "创建桌面快捷方式", nullptr},
    {192, 148, "创建开始菜单快捷方式", nullptr},
    {216, 124, "删除旧的配置文件", "如果您以前使用过本软件，选中此选项将会删除您以前的配置文件。"},
};
static_assert(std::size(kBoxes) == std::size(inst::kInstallChoices), "one box per choice");

}  // namespace

void OptionsPage::Build(HWND window, const ui::ElementHandler& onClick) {
    BuildInstallButton(window, onClick);
    BuildDirectoryRow(window, onClick);
    BuildBoxes(window);
    // Under the button's face, as wide as it; hidden until an install unpacks.
    progressBar_.Create(window, {140, 318, 180, 6});
}

void OptionsPage::BuildInstallButton(HWND window, const ui::ElementHandler& onClick) {
    installButton_.Create(window, {.rect = {125, 240, 210, 90}});
    installButton_.SetAnimationInterval(kButtonAnimationMs);
    installButton_.SetImage(ImageCopy(art::WizardImage::kInstallStrip), 3);
    installButton_.SetAccessibleName("立即安装");  // the words are part of the image
    installButton_.BindEvent(ui::kMsgClick, onClick);
}

void OptionsPage::BuildDirectoryRow(HWND window, const ui::ElementHandler& onClick) {
    dirLabel_.Create(window, {.rect = {42, 112, 60, 24}, .text = "安装目录："});
    dirEdit_.Create(window, {.rect = {104, 112, 280, 22}});
    dirEdit_.SetAccessibleName("安装目录");  // as the label beside it says
    browseButton_.Create(window, {.rect = {394, 112, 48, 22}, .text = "浏览..."});
    browseButton_.SetAnimationInterval(kButtonAnimationMs);
    browseButton_.BindEvent(ui::kMsgClick, onClick);
}

void OptionsPage::BuildBoxes(HWND window) {
    for (std::size_t i = 0; i < boxes_.size(); ++i) {
        const BoxLayout& box = kBoxes[i];
        boxes_[i].Create(window, {.rect = {20, box.top, box.width, 24}, .text = box.caption});
        if (box.tooltip) boxes_[i].SetTooltip(box.tooltip);
    }
}

inst::InstallOptions OptionsPage::Choices() const {
    inst::InstallOptions choices;
    choices.InstallPath = dirEdit_.Text();
    for (std::size_t i = 0; i < boxes_.size(); ++i)
        choices.*inst::kInstallChoices[i].member = boxes_[i].Checked() != 0;
    return choices;
}

void OptionsPage::Show(const inst::InstallOptions& choices) {
    for (std::size_t i = 0; i < boxes_.size(); ++i)
        boxes_[i].SetChecked(choices.*inst::kInstallChoices[i].member);
    SetInstallPath(choices.InstallPath);
}

void OptionsPage::SetInstallPath(const rt::TextValue& path) {
    dirEdit_.SetText(path);
}

void OptionsPage::ShowProgress(std::uint64_t done, std::uint64_t total) {
    if (!progressBar_.Visible()) progressBar_.SetVisible(true);
    progressBar_.SetProgress(done, total);
}

void OptionsPage::HideProgress() {
    progressBar_.SetProgress(0, 0);
    progressBar_.SetVisible(false);
}

void OptionsPage::BrowseInstallDir(HWND owner) {
    const rt::TextValue chosen = ShowFolderBrowser(owner, kBrowseTitle, {}, kFolderDrives);
    if (!chosen.empty()) SetInstallPath(InstallDirForChosenFolder(chosen));
}

}  // namespace wiz

#include "wizard/wizard_window.h"

#include "art/toolkit_art.h"
#include "installer/install.h"
#include "installer/install_layout.h"
#include "runtime/dll_calls_win32.h"
#include "toolkit/core/message_loops.h"
#include "toolkit/core/window_class.h"
#include "wizard/make_argb.h"
#include "wizard/open_url.h"
#include "wizard/saved_choices_loader.h"
#include "wizard/test_hooks.h"
#include "wizard/wizard_front_end.h"
#include "wizard/wizard_identity.h"
#include "wizard/wizard_images.h"

namespace wiz {
namespace {

constexpr int kWidth = 460;
constexpr int kHeight = 340;
constexpr float kPanelTop = 86;  // the banner shows above, the white panel below
constexpr int kMenuWidth = 96;

struct TitleButtonLayout {
    float left;
    const char* tooltip;
    art::WizardImage strip;
};
constexpr TitleButtonLayout kTitleButtons[kTitleButtonCount] = {
    {426, "关闭", art::WizardImage::kCloseStrip},
    {398, "最小化", art::WizardImage::kMinimiseStrip},
    {370, "菜单", art::WizardImage::kMenuStrip},
    {342, "加入QQ群", art::WizardImage::kChatGroupStrip},
};

struct MenuItemLayout {
    WizardMenuItem id;
    const char* text;
    art::WizardImage icon;
};
constexpr MenuItemLayout kMenuItems[] = {
    {kMenuHelp, "帮助", art::WizardImage::kHelpIcon},
    {kMenuHome, "主页", art::WizardImage::kHomeIcon},
    {kMenuForum, "论坛", art::WizardImage::kForumIcon},
    {kMenuExit, "退出", art::WizardImage::kExitIcon},
};

constexpr char kChatGroupHint[] = "如果未能自动加入QQ群，请手动加入。\r\nVantorSaelin官方群：";

// The white panel below the banner (the host's background-paint callback).
void PaintWizardBackground(HWND, ui::GpGraphics* graphics, int, int) {
    Gdiplus::GpSolidFill* brush = nullptr;
    ui::gp::GdipCreateSolidFill(MakeArgb(RGB(255, 255, 255)), &brush);
    ui::gp::GdipFillRectangle(graphics, brush, -1, kPanelTop, kWidth + 1, kHeight - 1);
    ui::gp::GdipDeleteBrush(brush);
}

// A close asked for through the window rather than through the wizard's own buttons: the
// system menu, the taskbar, another program.
bool IsCloseRequest(UINT message, WPARAM wParam) {
    return message == WM_CLOSE || (message == WM_SYSCOMMAND && (wParam & 0xFFF0) == SC_CLOSE);
}

// The window keeps painting through the pause.
void PauseForTests() {
    const int pause = CurrentTestHooks().progressPauseMs;
    if (pause <= 0) return;
    const DWORD end = GetTickCount() + static_cast<DWORD>(pause);
    while (static_cast<LONG>(end - GetTickCount()) > 0) {
        Sleep(15);
        ui::DispatchAllButInput();
    }
}

}  // namespace

bool WizardWindow::Build() {
    StartLoadingSavedChoices();
    if (!CreateWindowAndHost()) return false;
    SetWindowLongW(window_, GWL_STYLE, GetWindowLongW(window_, GWL_STYLE) | WS_MINIMIZEBOX);
    BuildTitleBar();
    page_.Build(window_, [this](const ui::ElementEvent& event) {
        return OnEvent(event.source, event.message, event.wParam, event.lParam);
    });
    PostSavedChoicesTo(window_);
    return true;
}

bool WizardWindow::CreateWindowAndHost() {
    ui::RegisterWindowClass(kWizardClassName);
    window_ = ui::CreateHostWindow(
        {.title = kWizardTitle, .width = kWidth, .height = kHeight, .className = kWizardClassName});
    if (!window_) return false;
    host_.Callbacks().backgroundPaint = &PaintWizardBackground;
    ui::AttachOptions options{.captionFlags = 0, .resizable = false};
    options.settings.backgroundMode = ui::BackgroundMode::kNatural;
    options.settings.border = false;
    options.settings.cornerStyle = ui::CornerStyle::kNineGrid;
    options.backgroundImage = ImageCopy(art::WizardImage::kBanner);
    options.refresh = false;  // once square
    if (!host_.Attach(window_, options)) return false;
    // From now on square, with the plain window frame.
    host_.Settings().cornerStyle = ui::CornerStyle::kSquare;
    host_.Refresh();
    return true;
}

void WizardWindow::BuildTitleBar() {
    const ui::ElementHandler onClick = [this](const ui::ElementEvent& event) {
        return OnEvent(event.source, event.message, event.wParam, event.lParam);
    };
    titleLabel_.Create(window_, {.rect = {10, 6, 140, 20},
                                 .text = kWizardTitle,
                                 .style = {.color = MakeArgb(RGB(255, 255, 255), 255)}});
    logoLink_.Create(window_, {.rect = {286, 30, 158, 49}});
    logoLink_.BindEvent(ui::kMsgClick, onClick);
    logoLink_.SetCursorId(32649);  // IDC_HAND: the logo is a link
    logoLink_.SetImage(ImageCopy(art::WizardImage::kLogoStrip), 3);
    logoLink_.SetAccessibleRole(ui::AccessibleRole::kLink);
    logoLink_.SetAccessibleName("VantorSaelin 主页");
    for (int i = 0; i < kTitleButtonCount; ++i) {
        const TitleButtonLayout& layout = kTitleButtons[i];
        ui::ImageButton& button = titleButtons_[i];
        button.Create(window_, {.rect = {layout.left, 0, 27, 22}});
        button.SetTooltip(layout.tooltip);
        button.SetImage(ImageCopy(layout.strip), 4);
        button.BindEvent(ui::kMsgClick, onClick);
    }
    BuildMenu();
}

void WizardWindow::BuildMenu() {
    for (const MenuItemLayout& item : kMenuItems) {
        menu_.AddItem({.text = item.text,
                       .icon = ImageCopy(item.icon),
                       .report = ui::MenuReport::kCommand,
                       .id = item.id,
                       .textColor = MakeArgb(RGB(0, 0, 0)),
                       .effect = ui::TextEffect::kHalo});
    }
    menu_.SetWidth(kMenuWidth);
}

void WizardWindow::Show() {
    // The first frame shows the page whole: the saved choices, read while the window was made
    // (usually there by now), the elements composed rather than waiting for the posted repaint
    // request.
    ShowSavedChoices();
    host_.FlushRepaints();
    ShowWindow(window_, SW_SHOW);
    // Painted now rather than behind the messages posted meanwhile.
    UpdateWindow(window_);
    host_.Settings().animationKind = ui::AnimationKind::kNone;
    host_.Callbacks().rawMessage = [this](HWND window, UINT message, WPARAM wParam,
                                          LPARAM lParam) -> LRESULT {
        return OnEvent(window, message, wParam, lParam);
    };
}

int WizardWindow::OnEvent(const void* source, UINT event, WPARAM wParam, LPARAM) {
    if (installing_ && IsCloseRequest(event, wParam)) return 0;  // the install finishes first
    switch (event) {
        case WM_DESTROY:
            PostQuitMessage(0);
            break;
        case ui::kMsgClick:
            OnClick(source);
            break;
        case WM_COMMAND:
            OnMenuCommand(wParam);
            break;
        case kMsgSavedChoicesLoaded:
            ShowSavedChoices();
            break;
        default:
            break;
    }
    return -1;
}

void WizardWindow::OnClick(const void* source) {
    if (source == titleButtons_[kCloseButton].Handle()) {
        Close();
    } else if (source == titleButtons_[kMinimiseButton].Handle()) {
        rt::dll::SendMessageA(window_, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    } else if (source == titleButtons_[kMenuButton].Handle()) {
        menu_.PopupAt(window_);
    } else if (source == titleButtons_[kChatGroupButton].Handle()) {
        JoinChatGroup();
    } else if (source == logoLink_.Handle()) {
        OpenUrl(inst::kHomePageAddress);
    } else if (source == page_.BrowseButton().Handle()) {
        page_.BrowseInstallDir(window_);
    } else if (source == page_.InstallButton().Handle()) {
        StartInstall();
    }
}

void WizardWindow::OnMenuCommand(WPARAM id) {
    switch (id) {
        case kMenuHelp:
            JoinChatGroup();
            break;
        case kMenuHome:
            OpenUrl(inst::kProductAddress);
            break;
        case kMenuForum:
            OpenUrl(inst::kForumAddress);
            break;
        case kMenuExit:
            Close();
            break;
        default:
            break;
    }
}

void WizardWindow::JoinChatGroup() {
    OpenUrl(inst::kChatGroupJoinAddress);
    ShowWizardMessage(window_, rt::TextValue(kChatGroupHint) + inst::kChatGroupNumber,
                      inst::kButtonsOk, inst::kIconInformation, true);
}

// Runs the install on this thread. While it unpacks, its progress reports let the window
// repaint (ShowProgress); clicks and keys are dropped meanwhile, and a request to close from
// outside waits for the end: on success the install closes the wizard itself. A message box of
// the install runs a loop inside it; whatever reaches this window through that loop (a click,
// a key, the menu) never starts a second install inside the first.
void WizardWindow::StartInstall() {
    if (installing_) return;
    WizardFrontEnd frontEnd(*this);
    installing_ = true;
    const inst::InstallOutcome outcome = inst::RunInstall(page_.Choices(), frontEnd);
    installing_ = false;
    if (outcome != inst::InstallOutcome::kInstalled) page_.HideProgress();
}

void WizardWindow::ShowShadow() {
    shadow_.ShowShadow(window_);
}

void WizardWindow::ShowProgress(std::uint64_t done, std::uint64_t total) {
    page_.ShowProgress(done, total);
    ui::DispatchAllButInput();
    PauseForTests();
}

void WizardWindow::ShowSavedChoices() {
    if (std::optional<inst::InstallOptions> choices = TakeLoadedChoices()) page_.Show(*choices);
}

void WizardWindow::Close() {
    shadow_.HideShadow();
    ShowWindow(window_, SW_RESTORE);
    ShowWindow(window_, SW_SHOWNORMAL);
    SetForegroundWindow(window_);
    rt::dll::PostMessageA(window_, WM_CLOSE, 0, 0);
}

std::vector<ui::AheadImage> FirstFrameImages() {
    std::vector<ui::AheadImage> images{{art::Bytes(art::WizardImage::kBanner)},
                                       {art::Bytes(art::WizardImage::kLogoStrip)}};
    for (const TitleButtonLayout& layout : kTitleButtons)
        images.push_back({art::Bytes(layout.strip)});
    // The install button, the browse button's and the boxes' skins, the shadow.
    images.push_back({art::Bytes(art::WizardImage::kInstallStrip)});
    images.push_back({art::Bytes(art::ToolkitImage::kGlowButtonSkin)});
    images.push_back({art::Bytes(art::ToolkitImage::kCheckSheet), true});
    images.push_back({art::Bytes(art::ToolkitImage::kShadow)});
    return images;
}

void CreateWizardWindow() {
    WizardWindow wizard;
    if (!wizard.Build()) return;
    wizard.Show();
    // The shadow's band shows through the window's transparent edge: until it is there, the
    // desktop does, for the moment its window takes to make.
    ui::RunMessageLoop([&wizard] { wizard.ShowShadow(); });
}

}  // namespace wiz

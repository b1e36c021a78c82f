// The setup wizard: one borderless, skinned 460 x 340 window with the banner at the top, the
// title, the logo that links to the publisher's home page, four title-bar buttons (close,
// minimise, menu, chat group), the pop-up menu, the drop shadow and the options page below.
// Every button of it and every message of its window reach one handler, OnEvent.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

#include "toolkit/controls/image_button.h"
#include "toolkit/controls/popup_menu.h"
#include "toolkit/controls/shadow_window.h"
#include "toolkit/core/decode_ahead.h"
#include "toolkit/core/host_window.h"
#include "toolkit/core/label.h"
#include "wizard/options_page.h"

namespace wiz {

// The buttons of the title bar, from right to left.
enum TitleButton : int {
    kCloseButton,
    kMinimiseButton,
    kMenuButton,
    kChatGroupButton,
    kTitleButtonCount
};

// The items of the wizard's menu; the ids are the WM_COMMAND wParam the menu reports.
enum WizardMenuItem : int {
    kMenuHelp = 1,  // joins the chat group, like the chat-group button
    kMenuHome = 2,
    kMenuForum = 3,
    kMenuExit = 4,  // closes the wizard, like the close button
};

class WizardWindow {
  public:
    WizardWindow() = default;
    WizardWindow(const WizardWindow&) = delete;
    WizardWindow& operator=(const WizardWindow&) = delete;

    // Starts loading the saved choices and builds the window hidden, with every element. False
    // when the window could not be made.
    bool Build();
    // Shows the window, its first frame painted at once and whole, and lets OnEvent see its
    // messages.
    void Show();
    // Puts the drop shadow around the shown window: the frame goes out first, the shadow (a
    // window of its own, drawn from its own image) a moment later.
    void ShowShadow();

    // Every event of the wizard: the click of one of its buttons (source: the element) or a
    // message of its window (source: the window). Always -1: the host's own handling goes on.
    int OnEvent(const void* source, UINT event, WPARAM wParam, LPARAM lParam);
    // Removes the shadow, brings the window to the front and asks it to close, without an
    // animation. Closing twice is harmless.
    void Close();
    // Shows how far the running install has unpacked and lets the window repaint; input stays
    // ignored until the install ends.
    void ShowProgress(std::uint64_t done, std::uint64_t total);

    HWND Window() const { return window_; }
    ui::HostWindow& Host() { return host_; }
    OptionsPage& Page() { return page_; }
    const ui::Label& TitleLabel() const { return titleLabel_; }
    const ui::ImageButton& LogoLink() const { return logoLink_; }
    const ui::ImageButton& Button(TitleButton which) const { return titleButtons_[which]; }

  private:
    bool CreateWindowAndHost();
    void BuildTitleBar();
    void BuildMenu();
    void OnClick(const void* source);
    void OnMenuCommand(WPARAM id);
    void JoinChatGroup();
    void StartInstall();
    void ShowSavedChoices();

    HWND window_ = nullptr;
    ui::HostWindow host_;
    ui::ShadowWindow shadow_;
    ui::Label titleLabel_;
    ui::ImageButton logoLink_;
    ui::ImageButton titleButtons_[kTitleButtonCount];
    ui::PopupMenu menu_;
    OptionsPage page_;
    bool installing_ = false;
};

// Builds and shows the wizard and runs its message loop; returns when the window is gone.
void CreateWizardWindow();

// The images of the wizard's first frame, in the order the wizard needs them, for the toolkit
// to decode ahead (toolkit/core/decode_ahead.h).
std::vector<ui::AheadImage> FirstFrameImages();

}  // namespace wiz

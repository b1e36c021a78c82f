// A toolkit window with the wizard's menu, for the end-to-end tests: a click on the window opens
// the menu at the mouse, and the id of a chosen item becomes the window's title ("command N").
// With the argument --open the menu opens at once, at (240, 190), its second row highlighted.
#include <windows.h>

#include <cstring>
#include <string>

#include "kMenuExitIcon.h"
#include "kMenuForumIcon.h"
#include "kMenuHelpIcon.h"
#include "kMenuHomeIcon.h"
#include "toolkit/controls/popup_menu.h"
#include "toolkit/core/host_window.h"
#include "toolkit/core/images.h"
#include "toolkit/core/toolkit.h"
#include "toolkit/core/window_class.h"

namespace {

// Opens the menu outside the input routing of the click that asked for it.
constexpr UINT kMsgOpenMenu = WM_APP + 1;

std::vector<std::uint8_t> Icon(const unsigned char* constant) {
    ui::ByteView bytes = ui::EmbeddedBytes(constant);
    return {bytes.begin(), bytes.end()};
}

ui::PopupMenu WizardMenu() {
    struct Entry {
        const char* text;
        const unsigned char* icon;
    };
    const Entry entries[] = {{"帮助", kMenuHelpIcon},
                             {"主页", kMenuHomeIcon},
                             {"论坛", kMenuForumIcon},
                             {"退出", kMenuExitIcon}};
    ui::PopupMenu menu;
    int id = 0;
    for (const Entry& entry : entries) {
        menu.AddItem({.text = entry.text,
                      .icon = Icon(entry.icon),
                      .report = ui::MenuReport::kCommand,
                      .id = ++id});
    }
    menu.SetWidth(96);
    return menu;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR arguments, int) {
    if (!ui::StartToolkit()) return 1;
    HWND window = ui::CreateHostWindow(
        {.title = "MenuProbe", .x = 200, .y = 150, .width = 300, .height = 200, .show = true});
    ui::HostWindow host;
    ui::AttachOptions options;
    options.captionFlags = 0;
    options.settings.draggable = false;  // a press would start moving the window
    host.Attach(window, options);
    ui::PopupMenu menu = WizardMenu();
    host.Callbacks().rawMessage = [&menu](HWND w, UINT message, WPARAM wParam, LPARAM) -> LRESULT {
        switch (message) {
            case WM_LBUTTONUP:
                PostMessageW(w, kMsgOpenMenu, 0, 0);
                break;
            case kMsgOpenMenu:
                menu.PopupAt(w);
                return 0;
            case WM_COMMAND:
                SetWindowTextA(w, ("command " + std::to_string(wParam)).c_str());
                break;
            case WM_DESTROY:
                PostQuitMessage(0);
                break;
            default:
                break;
        }
        return -1;
    };
    if (std::strstr(arguments, "--open")) {
        SetCursorPos(240, 190);
        menu.SetOnPopup([](HWND menuWindow, bool) {
            PostMessageW(menuWindow, WM_KEYDOWN, VK_DOWN, 0);
            PostMessageW(menuWindow, WM_KEYDOWN, VK_DOWN, 0);
        });
        PostMessageW(window, kMsgOpenMenu, 0, 0);
    }
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    ui::ShutdownToolkit();
    return 0;
}

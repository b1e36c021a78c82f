// A toolkit window with a message box over it, for the end-to-end test and for looking at the
// box. Arguments: the icon value (default 32) and, optionally, "shadow" to give the owner its
// drop shadow. Exit code: the box's result + 10 x the clicks that reached the owner.
#include <windows.h>

#include <cstdlib>
#include <cstring>

#include "toolkit/controls/message_box.h"
#include "toolkit/controls/shadow_window.h"
#include "toolkit/core/host_window.h"
#include "toolkit/core/toolkit.h"
#include "toolkit/core/window_class.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int) {
    if (!ui::StartToolkit()) return 100;
    int icon = commandLine && *commandLine ? std::atoi(commandLine) : 32;
    HWND owner =
        ui::CreateHostWindow({.title = "Owner", .x = 100, .y = 100, .width = 460, .height = 340});
    ui::HostWindow host;
    int ownerClicks = 0;
    host.Callbacks().rawMessage = [&ownerClicks](HWND, UINT message, WPARAM, LPARAM) -> LRESULT {
        if (message == WM_LBUTTONDOWN || message == WM_NCLBUTTONDOWN) ++ownerClicks;
        return -1;
    };
    host.Attach(owner);
    ShowWindow(owner, SW_SHOW);
    ui::ShadowWindow shadow;
    if (commandLine && std::strstr(commandLine, "shadow")) shadow.ShowShadow(owner);
    int result = ui::ToolkitMessageBox(owner, "安装目录不能为空。\r\n是否初始化为默认值？",
                                       {.buttons = ui::MessageButtons::kYesNoCancel,
                                        .icon = static_cast<ui::MessageIcon>(icon),
                                        .centreOnOwner = true});
    shadow.HideShadow();
    DestroyWindow(owner);
    return result + 10 * ownerClicks;
}

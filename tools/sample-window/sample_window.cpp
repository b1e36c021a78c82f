// A toolkit window with a few elements and controls in their default face, for looking at the
// toolkit (and for screenshots). "--close-after=<ms>" closes it by itself; "--plain" shows it
// without layering, as a window with a window region; "--backdrop" puts a light grey window
// behind it, so that the soft shadow of the layered window shows on an empty X display.
#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "toolkit/core/control.h"
#include "toolkit/core/host_window.h"
#include "toolkit/core/label.h"
#include "toolkit/core/text_render.h"
#include "toolkit/core/toolkit.h"
#include "toolkit/core/window_class.h"

namespace {

// A panel that shows the window's background through a light wash, with a frame.
class Panel : public ui::Element {
  public:
    ~Panel() override { Destroy(); }
    int HandleMessage(UINT message, WPARAM, LPARAM) override {
        if (message == ui::kMsgPaint) PaintFace();
        return -1;
    }

  protected:
    void DrawFace(ui::PaintContext&) override {
        ui::RectF face{0, 0, static_cast<float>(Width()), static_cast<float>(Height())};
        ui::FillRoundRect(BackingGraphics(), face, 6, ui::Argb(0xFFFFFF, 70));
        ui::DrawRoundRect(BackingGraphics(), face, 6, ui::Argb(0xFFFFFF, 140));
    }
};

struct SampleWindow {
    ui::HostWindow host;
    ui::Label caption, note;
    Panel panel;
    ui::Control normal, hover, pressed, focused, disabled, clipped;

    bool Build(bool layered) {
        HWND window = ui::CreateHostWindow(
            {.title = "工具包示例 Toolkit sample", .width = 440, .height = 300});
        if (!window) return false;
        ui::AttachOptions options{.settings = {.layeredAlpha = layered ? 255 : -1,
                                               .animationKind = ui::AnimationKind::kFade}};
        if (!host.Attach(window, options)) return false;

        caption.Create(
            window, {.rect = {24, 44, 390, 24},
                     .text = "默认外观的控件 (normal, hover, pressed, focused, disabled)",
                     .style = {.color = ui::Argb(0xFFFFFF, 250), .effect = ui::TextEffect::kHalo}});
        panel.Create(window, {.rect = {20, 76, 400, 150}});
        AddControl(normal, 36, 92, "确定(&O)", ui::kStateNormal);
        AddControl(hover, 160, 92, "悬停", ui::kStateHover);
        AddControl(pressed, 284, 92, "按下", ui::kStatePressed);
        AddControl(focused, 36, 140, "焦点(&F)", ui::kStateNormal);
        AddControl(disabled, 160, 140, "禁用", ui::kStateNormal);
        disabled.SetDisabled(true);
        // A child wider than its parent: the part outside the panel is clipped.
        AddControl(clipped, 340, 188, "裁剪 clipped", ui::kStateNormal);
        clipped.Move({}, {}, 120.0f, {});
        host.Elements().SetFocusElement(&focused, true);

        note.Create(window, {.rect = {24, 236, 390, 22},
                             .text = "Tab, Enter, Alt+O / Alt+F — 关闭按钮在右上角",
                             .style = {.color = ui::Argb(0xFFFFFF, 230)}});
        host.Refresh();
        return true;
    }

    void AddControl(ui::Control& control, float x, float y, const char* text, int state) {
        control.Create(&panel, {.rect = {x, y, 110, 30}, .text = text});
        if (state != ui::kStateNormal) control.PaintState(state, false);
    }
};

HWND CreateBackdrop() {
    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hbrBackground = CreateSolidBrush(RGB(0xE8, 0xE8, 0xE8));
    wc.lpszClassName = L"ToolkitSampleBackdrop";
    RegisterClassW(&wc);
    HWND backdrop = CreateWindowExW(WS_EX_TOOLWINDOW, wc.lpszClassName, L"", WS_POPUP, 0, 0,
                                    GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN),
                                    nullptr, nullptr, wc.hInstance, nullptr);
    ShowWindow(backdrop, SW_SHOWNOACTIVATE);
    UpdateWindow(backdrop);
    return backdrop;
}

int CloseAfter(const char* commandLine) {
    const char* found = std::strstr(commandLine, "--close-after=");
    return found ? std::atoi(found + std::strlen("--close-after=")) : 0;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int) {
    if (!ui::StartToolkit()) return 1;
    int exitCode = 0;
    if (std::strstr(commandLine, "--backdrop")) CreateBackdrop();
    {
        SampleWindow sample;
        if (!sample.Build(std::strstr(commandLine, "--plain") == nullptr)) return 1;
        HWND window = sample.host.Window();
        sample.host.Callbacks().rawMessage = [](HWND, UINT message, WPARAM, LPARAM) -> LRESULT {
            if (message == WM_DESTROY) PostQuitMessage(0);
            return -1;
        };
        sample.host.Show();
        if (int ms = CloseAfter(commandLine)) SetTimer(nullptr, 0, static_cast<UINT>(ms), nullptr);
        MSG message;
        while (GetMessageW(&message, nullptr, 0, 0) > 0) {
            if (message.message == WM_TIMER && message.hwnd == nullptr) {
                PostMessageW(window, WM_CLOSE, 0, 0);
                continue;
            }
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        exitCode = static_cast<int>(message.wParam);
    }
    ui::ShutdownToolkit();
    return exitCode;
}

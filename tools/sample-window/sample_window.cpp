// A toolkit window with every element and control in each of its states, for looking at the
// toolkit (and for screenshots). The looks are set once after the window is shown; moving the
// mouse over a control then changes it as usual.
//   --close-after=<ms>   closes the window by itself
//   --plain              shows it without layering, as a window with a window region
//   --backdrop           puts a light grey window behind it, so that the soft shadow of the
//                        layered window shows on an empty X display
//   --focus=check        gives the keyboard focus to a check box instead of the glow button
#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "kSampleFrame.h"
#include "kSampleSpinner.h"
#include "kSampleStrip.h"
#include "kSampleStrip3.h"
#include "kSampleTile.h"
#include "toolkit/controls/check_box.h"
#include "toolkit/controls/edit_box.h"
#include "toolkit/controls/glow_button.h"
#include "toolkit/controls/image_button.h"
#include "toolkit/controls/push_button.h"
#include "toolkit/core/host_window.h"
#include "toolkit/core/label.h"
#include "toolkit/core/picture.h"
#include "toolkit/core/toolkit.h"
#include "toolkit/core/window_class.h"

namespace {

std::vector<std::uint8_t> Bytes(const unsigned char* embedded) {
    ui::ByteView view = ui::EmbeddedBytes(embedded);
    return {view.begin(), view.end()};
}

// A panel that shows the window's background through a light wash, with a frame.
class Panel : public ui::Element {
  public:
    ~Panel() override { Destroy(); }

  protected:
    void OnPaint() override { PaintFace(); }
    void DrawFace(ui::PaintContext&) override {
        ui::RectF face{0, 0, static_cast<float>(Width()), static_cast<float>(Height())};
        ui::FillRoundRect(BackingGraphics(), face, 6, ui::Argb(0xFFFFFF, 200));
        ui::DrawRoundRect(BackingGraphics(), face, 6, ui::Argb(0xFFFFFF, 240));
    }
};

constexpr int kStates[] = {ui::kStateNormal, ui::kStateHover, ui::kStatePressed, ui::kStateFocused};
constexpr const char* kStateNames[] = {"正常", "悬停", "按下", "焦点", "禁用"};
constexpr ui::ARGB kInk = ui::Argb(0x1A2A3A, 230);

struct SampleWindow {
    ui::HostWindow host;
    Panel panel;
    ui::Label heading, note;
    ui::Label rowNames[5];
    ui::PushButton push[5];
    ui::ImageButton strips[6];
    ui::GlowButton glows[5];
    ui::CheckBox checks[6];
    ui::Picture animated, still, nineGrid, icon;
    ui::Label editName;
    ui::EditBox path, secret, number;

    bool Build(bool layered) {
        HWND window = ui::CreateHostWindow(
            {.title = "工具包示例 Toolkit sample", .width = 620, .height = 470});
        if (!window) return false;
        ui::AttachOptions options{.settings = {.layeredAlpha = layered ? 255 : -1,
                                               .animationKind = ui::AnimationKind::kFade}};
        if (!host.Attach(window, options)) return false;
        heading.Create(
            window, {.rect = {24, 40, 560, 22},
                     .text = "每个控件的每种状态 — every control in every state",
                     .style = {.color = ui::Argb(0xFFFFFF, 250), .effect = ui::TextEffect::kHalo}});
        panel.Create(window, {.rect = {16, 66, 588, 316}});
        AddRowNames();
        AddPushButtons();
        AddImageButtons();
        AddGlowButtons();
        AddCheckBoxes();
        AddPictures();
        AddEditBoxes(window);
        note.Create(window, {.rect = {24, 428, 570, 22},
                             .text = "Tab 移动焦点，空格切换复选框，Alt+O 点击“确定”",
                             .style = {.color = ui::Argb(0xFFFFFF, 235)}});
        return true;
    }

    void AddRowNames() {
        const char* names[] = {"PushButton", "ImageButton", "GlowButton", "CheckBox", "Picture"};
        for (int row = 0; row < 5; ++row) {
            rowNames[row].Create(&panel, {.rect = {22, RowTop(row), 106, 28},
                                          .text = names[row],
                                          .style = {.color = kInk, .fontStyle = 1}});
        }
    }

    static float RowTop(int row) { return 78.0f + 58.0f * row; }
    static float Column(int column, float width) { return 132.0f + column * (width + 10); }

    void AddPushButtons() {
        for (int i = 0; i < 5; ++i) {
            std::string text = i == 0 ? std::string("确定(&O)") : kStateNames[i];
            push[i].Create(&panel, {.rect = {Column(i, 82), RowTop(0), 82, 28}, .text = text});
        }
        push[4].SetDisabled(true);
    }

    void AddImageButtons() {
        for (int i = 0; i < 6; ++i) {
            strips[i].Create(&panel, {.rect = {Column(i, 60), RowTop(1), 60, 27}});
            // The last one has three frames: disabled, it is composed at half alpha instead of
            // showing a disabled frame.
            strips[i].SetImage(Bytes(i == 5 ? kSampleStrip3 : kSampleStrip), i == 5 ? 3 : 4);
        }
        strips[4].SetDisabled(true);
        strips[5].SetDisabled(true);
    }

    void AddGlowButtons() {
        for (int i = 0; i < 5; ++i) {
            glows[i].Create(&panel,
                            {.rect = {Column(i, 82), RowTop(2), 82, 28}, .text = kStateNames[i]});
        }
        glows[4].SetDisabled(true);
    }

    void AddCheckBoxes() {
        const char* captions[] = {"未选中", "悬停", "已选中", "选中悬停", "按下", "禁用"};
        float x = Column(0, 0);
        for (int i = 0; i < 6; ++i) {
            float width = i == 3 ? 78.0f : 64.0f;
            checks[i].Create(&panel, {.rect = {x, RowTop(3) + 2, width, 24},
                                      .text = captions[i],
                                      .style = {.color = kInk}});
            x += width + 10;
        }
        checks[2].SetChecked(1);
        checks[3].SetChecked(1);
        checks[5].SetChecked(1);
        checks[5].SetDisabled(true);
    }

    void AddPictures() {
        float top = RowTop(4) - 4;
        animated.Create(&panel, {.rect = {Column(0, 40), top, 40, 40},
                                 .image = Bytes(kSampleSpinner),
                                 .animate = true,
                                 .drawMode = ui::ImageDrawMode::kCentre});
        still.Create(&panel, {.rect = {Column(1, 40) + 10, top, 72, 40},
                              .image = Bytes(kSampleTile),
                              .drawMode = ui::ImageDrawMode::kCentre,
                              .borderStyle = ui::kFrameSolid});
        still.SetBackgroundColor(ui::Argb(0xDDE8F6, 255));
        nineGrid.Create(&panel, {.rect = {Column(3, 40), top, 96, 40},
                                 .image = Bytes(kSampleFrame),
                                 .drawMode = ui::ImageDrawMode::kNineGrid,
                                 .margins = {8, 8, 8, 8}});
        HICON appIcon = LoadIconW(nullptr, MAKEINTRESOURCEW(32516));  // IDI_INFORMATION
        icon.CreateFromIcon(
            &panel,
            {.rect = {Column(6, 40), top + 4, 32, 32}, .drawMode = ui::ImageDrawMode::kNatural},
            appIcon);
    }

    void AddEditBoxes(HWND window) {
        editName.Create(window, {.rect = {24, 394, 100, 24},
                                 .text = "EditBox",
                                 .style = {.color = ui::Argb(0xFFFFFF, 235)}});
        path.Create(window,
                    {.rect = {130, 394, 280, 22},
                     .text = "C:\\Program Files (x86)\\Korrel\\VantorFenWix\\安装目录\\更多"});
        secret.Create(
            window,
            {.rect = {420, 394, 90, 22}, .text = "secret", .mode = ui::EditInputMode::kPassword});
        number.Create(
            window,
            {.rect = {520, 394, 76, 22}, .text = "-12", .mode = ui::EditInputMode::kInteger});
    }

    // The path box focused, with part of its text selected by dragging the mouse.
    void SelectInPath() {
        HWND window = host.Window();
        SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(200, 405));
        SendMessageW(window, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(320, 405));
        SendMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(320, 405));
    }

    // The looks, set after the window is shown (showing delivers the posted mouse-leave of the
    // disabled controls, which would paint them normal again).
    void ApplyLooks(bool focusCheckBox) {
        for (int i = 0; i < 4; ++i) {
            push[i].PaintState(kStates[i], false);
            strips[i].PaintState(kStates[i], false);
            glows[i].PaintState(kStates[i], false);
        }
        push[4].PaintState(ui::kStateDisabled, false);
        glows[4].PaintState(ui::kStateDisabled, false);
        checks[1].PaintState(ui::kStateHover, false);
        checks[3].PaintState(ui::kStateHover, false);
        checks[4].PaintState(ui::kStatePressed, false);
        ui::Element& focused = focusCheckBox ? static_cast<ui::Element&>(checks[2])
                                             : static_cast<ui::Element&>(glows[3]);
        host.Elements().SetFocusElement(&focused, true);
        if (!focusCheckBox) {
            for (int i = 0; i < 9; ++i)
                glows[3].AdvanceGlow();  // the light part way along the top edge
        }
        focused.Redraw();
        host.Refresh();
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
        sample.ApplyLooks(std::strstr(commandLine, "--focus=check") != nullptr);
        if (std::strstr(commandLine, "--focus=edit")) sample.SelectInPath();
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

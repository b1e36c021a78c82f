#include "box_answerer.h"

#include <chrono>
#include <cstdio>

namespace {

BOOL CALLBACK CollectStaticText(HWND child, LPARAM collected) {
    char className[32] = {};
    GetClassNameA(child, className, sizeof className);
    if (lstrcmpiA(className, "Static") != 0) return TRUE;
    char text[1024] = {};
    GetWindowTextA(child, text, sizeof text);
    if (text[0] != '\0') *reinterpret_cast<std::string*>(collected) += text;
    return TRUE;
}

}  // namespace

std::string MessageBoxText(HWND box) {
    std::string text;
    EnumChildWindows(box, CollectStaticText, reinterpret_cast<LPARAM>(&text));
    return text;
}

BoxAnswerer::BoxAnswerer(std::string title, int button, bool reportToStderr)
    : title_(std::move(title)),
      button_(button),
      reportToStderr_(reportToStderr),
      worker_([this] { Run(); }) {}

BoxAnswerer::~BoxAnswerer() {
    if (worker_.joinable()) worker_.join();
}

bool BoxAnswerer::Finish() {
    if (worker_.joinable()) worker_.join();
    return answered_;
}

void BoxAnswerer::Run() {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (std::chrono::steady_clock::now() < deadline) {
        HWND box = FindWindowA("#32770", title_.c_str());
        if (box && IsWindowVisible(box)) {
            Sleep(100);  // let the box finish laying out its controls
            text_ = MessageBoxText(box);
            if (reportToStderr_) {
                std::fprintf(stderr, "shown: %s\n", text_.c_str());
                std::fflush(stderr);
            }
            HWND button = GetDlgItem(box, button_);
            PostMessageA(box, WM_COMMAND, MAKEWPARAM(button_, BN_CLICKED),
                         reinterpret_cast<LPARAM>(button));
            answered_ = true;
            return;
        }
        Sleep(50);
    }
}

#include "toolkit/core/toolkit.h"

#include <winternl.h>

#include <string>
#include <vector>

#include "art/toolkit_art.h"
#include "toolkit/core/decode_ahead.h"
#include "toolkit/core/images.h"
#include "toolkit/core/text_convert.h"
#include "toolkit/core/window_class.h"

namespace ui {

namespace {

struct ToolkitState {
    bool started = false;
    ULONG_PTR gdiplusToken = 0;
    int osMajorVersion = 0;
    FontPtr defaultFont;
    ImagePtr defaultSkin;
    std::vector<std::function<void()>> cleanups;
    std::vector<std::function<void()>> startSteps;
};

ToolkitState& State() {
    static ToolkitState state;
    return state;
}

// The OS major version as the process environment block records it.
int ReadOsMajorVersion() {
    // OSMajorVersion sits at 0xA4 in a 32-bit PEB and at 0x118 in a 64-bit one.
    constexpr std::size_t kOffset = sizeof(void*) == 4 ? 0xA4 : 0x118;
    // The segment read inside NtCurrentTeb looks like an out-of-bounds access to GCC.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Warray-bounds"
    auto* peb = reinterpret_cast<const BYTE*>(NtCurrentTeb()->ProcessEnvironmentBlock);
#pragma GCC diagnostic pop
    return static_cast<int>(*reinterpret_cast<const ULONG*>(peb + kOffset));
}

std::string CaptionFontFace() {
    NONCLIENTMETRICSA metrics{};
    metrics.cbSize = sizeof metrics;
    if (!SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) {
        return "宋体";
    }
    return metrics.lfCaptionFont.lfFaceName;
}

FontPtr CreateDefaultFont() {
    for (const std::string& family : {std::string("宋体"), CaptionFontFace()}) {
        std::wstring wide = ToWide(family);
        Gdiplus::GpFontFamily* fontFamily = nullptr;
        if (gp::GdipCreateFontFamilyFromName(wide.c_str(), nullptr, &fontFamily) != Gdiplus::Ok)
            continue;
        GpFont* font = nullptr;
        gp::GdipCreateFont(fontFamily, 12.0f, 0, Gdiplus::UnitPixel, &font);
        gp::GdipDeleteFontFamily(fontFamily);
        if (font) return FontPtr(font);
    }
    return nullptr;
}

}  // namespace

bool StartToolkit() {
    ToolkitState& state = State();
    if (state.started) return true;
    Gdiplus::GdiplusStartupInput input{};
    input.GdiplusVersion = 1;
    if (gp::GdiplusStartup(&state.gdiplusToken, &input, nullptr) != Gdiplus::Ok) return false;
    // GDI+ stays up until the process ends (see ShutdownToolkit): its library must outlive the
    // release of the libraries loaded on demand, which the end of the program runs.
    HMODULE gdiplus = nullptr;
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_PIN, "gdiplus.dll", &gdiplus);
    StartDecodingAhead({{art::Bytes(art::ToolkitImage::kDefaultSkin), true}});
    state.started = true;
    state.osMajorVersion = ReadOsMajorVersion();
    state.defaultFont = CreateDefaultFont();
    RegisterWindowClass();
    // A copy: a step may register further steps, which then run at once.
    std::vector<std::function<void()>> steps = state.startSteps;
    for (const auto& step : steps)
        step();
    return true;
}

void ShutdownToolkit() {
    ToolkitState& state = State();
    if (!state.started) return;
    while (!state.cleanups.empty()) {
        auto step = std::move(state.cleanups.back());
        state.cleanups.pop_back();
        if (step) step();
    }
    state.defaultSkin.reset();
    state.defaultFont.reset();
    state.started = false;
}

bool ToolkitStarted() {
    return State().started;
}

void RegisterToolkitCleanup(std::function<void()> step) {
    State().cleanups.push_back(std::move(step));
}

void RegisterToolkitStartStep(std::function<void()> step) {
    if (!step) return;
    ToolkitState& state = State();
    state.startSteps.push_back(step);
    if (state.started) step();
}

GpFont* DefaultFont() {
    return State().defaultFont.get();
}
int OsMajorVersion() {
    return State().osMajorVersion;
}
// Loaded at its first use (decoded ahead meanwhile): a window that draws no caption button or
// menu, as the wizard's first frame, does not wait for it.
GpImage* DefaultSkin() {
    ToolkitState& state = State();
    if (!state.defaultSkin && state.started)
        state.defaultSkin =
            LoadImage(art::Bytes(art::ToolkitImage::kDefaultSkin), true).TakeImage();
    return state.defaultSkin.get();
}

}  // namespace ui

#include "tests/e2e/wizard_clicks.h"

#include "tools/uidriver/ui_driver.h"

namespace e2e {

namespace {

// The checked box is filled with blue; the unchecked one is white.
bool ShowsBlue(HWND window, POINT at) {
    ClientToScreen(window, &at);
    HDC screen = GetDC(nullptr);
    const COLORREF colour = GetPixel(screen, at.x, at.y);
    ReleaseDC(nullptr, screen);
    return GetBValue(colour) > 180 && GetRValue(colour) < 130;
}

}  // namespace

std::optional<HWND> WindowOf(const LaunchedProcess& process, const std::string& className,
                             const std::optional<std::string>& title, int timeoutMs) {
    WindowQuery query;
    query.className = className;
    query.title = title;
    query.processId = process.Id();
    auto found = WaitForWindow(query, timeoutMs);
    return found ? std::optional<HWND>(found->handle) : std::nullopt;
}

std::optional<Wizard> StartWizard(const std::string& program, const std::string& arguments) {
    auto process = LaunchedProcess::Start(program, arguments);
    if (!process) return std::nullopt;
    auto window = WindowOf(*process, "FenWix", std::nullopt, kAppearMs);
    if (!window) return std::nullopt;
    return Wizard{std::move(*process), *window};
}

std::string Boxes(HWND window, std::string_view expected) {
    std::string shown;
    for (int waited = 0; waited < 5000; waited += 100) {
        Sleep(100);
        shown.clear();
        for (POINT at : kBoxes)
            shown += ShowsBlue(window, at) ? '1' : '0';
        if (expected.empty() ? shown != "0000" : shown == expected) break;
    }
    return shown;
}

void Click(HWND window, POINT at) {
    ClickAt(window, at.x, at.y);
    Sleep(kSettleMs);
}

}  // namespace e2e

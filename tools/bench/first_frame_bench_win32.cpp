// first_frame_bench: how long a program takes from its start to its window's first frames, for
// two programs measured alternately in one run. Two moments count: the first visible frame, when
// the screen first shows anything of the window (its area differs from what the screen showed
// there before the start), and the complete frame, what the screen shows of the window once it
// has settled; a first run of each program (not counted) takes that as the reference. Each timed
// run starts the program, then looks at the screen every millisecond or so until the window's
// area shows exactly that reference, then closes the window. The mouse is kept in the screen's
// top left corner, away from the windows.
//
//   first_frame_bench RUNS PROGRAM_A CLASS_A PROGRAM_B CLASS_B
//
// Prints every time, then per program and moment the median in milliseconds, and the ratios A / B.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "tools/uidriver/launched_process.h"
#include "tools/uidriver/ui_driver.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kSettleMs = 4000;
constexpr int kTimeoutMs = 30000;

// What the screen shows of a window's client area, one 0x00RRGGBB value per pixel.
using ScreenPixels = std::vector<std::uint32_t>;

struct Subject {
    std::string program;
    std::string windowClass;
    ScreenPixels reference;
    std::vector<double> visibleTimes;
    std::vector<double> completeTimes;
};

struct FrameTimes {
    double visible = 0;
    double complete = 0;
};

HWND FindWindowOf(const Subject& subject, DWORD processId) {
    e2e::WindowQuery query;
    query.className = subject.windowClass;
    query.processId = processId;
    auto found = e2e::ListTopLevelWindows(query);
    return found.empty() ? nullptr : found.front().handle;
}

// The screen's pixels in `area` (screen coordinates).
ScreenPixels CaptureArea(const RECT& area) {
    const int width = area.right - area.left, height = area.bottom - area.top;
    if (width <= 0 || height <= 0) return {};
    BITMAPINFO info{};
    info.bmiHeader = {sizeof info.bmiHeader, width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, area.left, area.top, SRCCOPY);
    GdiFlush();
    const auto* pixels = static_cast<const std::uint32_t*>(bits);
    ScreenPixels captured(pixels, pixels + static_cast<std::size_t>(width) * height);
    for (std::uint32_t& pixel : captured)
        pixel &= 0xFFFFFF;
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return captured;
}

// The window's client area in screen coordinates.
RECT ClientArea(HWND window) {
    RECT rect{};
    POINT origin{};
    if (!GetClientRect(window, &rect) || !ClientToScreen(window, &origin)) return {};
    OffsetRect(&rect, origin.x, origin.y);
    return rect;
}

ScreenPixels Capture(HWND window) {
    return CaptureArea(ClientArea(window));
}

// The pixels of `area` within a capture of the whole screen.
ScreenPixels Cut(const ScreenPixels& screen, int screenWidth, const RECT& area) {
    ScreenPixels cut;
    for (int y = area.top; y < area.bottom; ++y) {
        const auto row = screen.begin() + static_cast<std::ptrdiff_t>(y) * screenWidth;
        cut.insert(cut.end(), row + area.left, row + area.right);
    }
    return cut;
}

void CloseAndWait(e2e::LaunchedProcess& process, HWND window) {
    if (window) PostMessageW(window, WM_CLOSE, 0, 0);
    process.WaitForExit(kTimeoutMs);
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
}

bool TakeReference(Subject& subject) {
    auto process = e2e::LaunchedProcess::Start(subject.program);
    if (!process) return false;
    HWND window = nullptr;
    const auto deadline = Clock::now() + std::chrono::milliseconds(kTimeoutMs);
    while (!(window = FindWindowOf(subject, process->Id())) && Clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(kSettleMs));
    if (window) subject.reference = Capture(window);
    CloseAndWait(*process, window);
    return window != nullptr && !subject.reference.empty();
}

// Milliseconds from the start to the first visible and to the complete frame, or nothing on a
// time-out.
std::optional<FrameTimes> TimeFirstFrames(const Subject& subject) {
    const RECT screenRect{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    const ScreenPixels before = CaptureArea(screenRect);
    const auto start = Clock::now();
    auto process = e2e::LaunchedProcess::Start(subject.program);
    if (!process) return std::nullopt;
    const auto since = [&] {
        return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    };
    HWND window = nullptr;
    std::optional<double> visible;
    std::optional<FrameTimes> times;
    while (Clock::now() - start < std::chrono::milliseconds(kTimeoutMs)) {
        if (!window) window = FindWindowOf(subject, process->Id());
        if (window && IsWindowVisible(window)) {
            const RECT area = ClientArea(window);
            const ScreenPixels shown = CaptureArea(area);
            RECT onScreen{};
            if (!visible && IntersectRect(&onScreen, &area, &screenRect) &&
                EqualRect(&onScreen, &area) && shown != Cut(before, screenRect.right, area))
                visible = since();
            if (shown == subject.reference) {
                const double complete = since();
                times = FrameTimes{visible.value_or(complete), complete};
                break;
            }
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    CloseAndWait(*process, window);
    return times;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 6) {
        std::fprintf(stderr, "usage: first_frame_bench RUNS PROGRAM_A CLASS_A PROGRAM_B CLASS_B\n");
        return 2;
    }
    const int runs = std::max(1, std::atoi(argv[1]));
    Subject subjects[2] = {{argv[2], argv[3], {}, {}, {}}, {argv[4], argv[5], {}, {}, {}}};
    SetCursorPos(0, 0);
    for (Subject& subject : subjects) {
        if (!TakeReference(subject)) {
            std::fprintf(stderr, "%s showed no window of class %s\n", subject.program.c_str(),
                         subject.windowClass.c_str());
            return 1;
        }
    }
    for (int run = 0; run < runs; ++run) {
        for (Subject& subject : subjects) {
            const std::optional<FrameTimes> times = TimeFirstFrames(subject);
            if (!times) {
                std::fprintf(stderr, "%s: no complete frame within %d ms\n",
                             subject.program.c_str(), kTimeoutMs);
                return 1;
            }
            subject.visibleTimes.push_back(times->visible);
            subject.completeTimes.push_back(times->complete);
            std::printf("run %d %s: first visible %.0f ms, complete %.0f ms\n", run + 1,
                        subject.windowClass.c_str(), times->visible, times->complete);
        }
    }
    const char* a = subjects[0].windowClass.c_str();
    const char* b = subjects[1].windowClass.c_str();
    for (const auto& [moment, times] : {std::pair{"first visible frame", &Subject::visibleTimes},
                                        std::pair{"complete frame", &Subject::completeTimes}}) {
        const double ma = Median(subjects[0].*times), mb = Median(subjects[1].*times);
        std::printf("%s, median of %d: %s %.0f ms, %s %.0f ms, ratio %.2f\n", moment, runs, a, ma,
                    b, mb, ma / mb);
    }
    return 0;
}

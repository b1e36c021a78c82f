// Shared by the toolkit's tests: toolkit start-up, windows with hosts, message pumping and
// pixel reading.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "toolkit/core/host_window.h"
#include "toolkit/core/window_class.h"

namespace ui::test {

// Dispatches every queued message of this thread (returns at once when none are queued).
void PumpPending();
// An element description for a rectangle, everything else at its default.
inline ElementSpec SpecAt(float x, float y, float width, float height) {
    ElementSpec spec;
    spec.rect = {x, y, width, height};
    return spec;
}

// Pumps for `ms` milliseconds.
void PumpFor(int ms);
// Pumps until `done` holds or `timeoutMs` passed; returns `done()`.
bool PumpUntil(const std::function<bool()>& done, int timeoutMs = 3000);

// A toolkit window of the default class with its host; destroyed with the fixture.
struct TestWindow {
    HWND window = nullptr;
    std::unique_ptr<HostWindow> host;

    explicit TestWindow(const AttachOptions& options = {}, HostWindowSpec spec = {});
    ~TestWindow();
    TestWindow(const TestWindow&) = delete;
    TestWindow& operator=(const TestWindow&) = delete;
};

// Straight (not premultiplied) colour of one back-buffer pixel.
struct Rgba {
    int r = 0, g = 0, b = 0, a = 0;
};
Rgba Unpremultiply(std::uint32_t premultiplied);
Rgba BackPixel(const HostWindow& host, int x, int y);
// Straight colour of one pixel of a GDI+ image.
Rgba ImagePixel(GpImage* image, int x, int y);

// Close enough, channel by channel.
::testing::AssertionResult NearColour(const Rgba& actual, const Rgba& expected, int tolerance);

}  // namespace ui::test

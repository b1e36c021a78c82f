// Shared by the toolkit's tests: toolkit start-up, windows with hosts, message pumping and
// pixel reading.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "toolkit/core/host_window.h"
#include "toolkit/core/window_class.h"

namespace ui::test {

constexpr ARGB kRed = 0xFFFF0000;
constexpr ARGB kGreen = 0xFF00FF00;
constexpr ARGB kBlue = 0xFF0000FF;
constexpr ARGB kYellow = 0xFFFFFF00;

// Dispatches every queued message of this thread (returns at once when none are queued).
void PumpPending();
// An element description for a rectangle, everything else at its default.
inline ElementSpec SpecAt(float x, float y, float width, float height) {
    ElementSpec spec;
    spec.rect = {x, y, width, height};
    return spec;
}

// GDI objects of this process, counted from the handle table where Wine answers
// GetGuiResources with 0.
int GdiObjectCount();
// Bytes in use in every heap of the process (GDI+ and GDI keep their objects there).
std::size_t HeapBytesInUse();

// Pumps for `ms` milliseconds.
void PumpFor(int ms);
// Pumps until `done` holds or `timeoutMs` passed; returns `done()`.
bool PumpUntil(const std::function<bool()>& done, int timeoutMs = 3000);

// Options without caption: no title or caption buttons in the element lists.
inline AttachOptions Bare() {
    AttachOptions options;
    options.captionFlags = 0;
    return options;
}

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
inline const Rgba kRedPixel{255, 0, 0, 255};
inline const Rgba kGreenPixel{0, 255, 0, 255};
// The plain background: the default colour 0xFF8800 (blue 255, green 136, red 0), opaque.
inline const Rgba kBackground{0x00, 0x88, 0xFF, 255};
Rgba Unpremultiply(std::uint32_t premultiplied);
Rgba BackPixel(const HostWindow& host, int x, int y);
// Straight colour of one pixel of a GDI+ image.
Rgba ImagePixel(GpImage* image, int x, int y);

// Close enough, channel by channel.
::testing::AssertionResult NearColour(const Rgba& actual, const Rgba& expected, int tolerance);

// PNG bytes of an image, encoded by GDI+; and of a width x height image of one colour.
std::vector<std::uint8_t> EncodePng(GpImage* image);
std::vector<std::uint8_t> SolidPng(int width, int height, ARGB colour);

// A 16 x 16 icon of one opaque colour, with an alpha channel.
HICON SolidIcon(COLORREF colour);

// An element of one opaque colour that counts (and may answer) the disabled-alpha query.
class SolidElement : public Element {
  public:
    explicit SolidElement(ARGB colour) : colour_(colour) {}
    ~SolidElement() override { Destroy(); }
    int disabledAnswer = -1;
    int disabledQueries = 0;
    std::function<void()> onDisabledQuery;

  protected:
    void OnPaint() override { PaintFace(); }
    int OnDisabledAlphaQuery() override;
    void DrawFace(PaintContext&) override;

  private:
    ARGB colour_;
};

}  // namespace ui::test

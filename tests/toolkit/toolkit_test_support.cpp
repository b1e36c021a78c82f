#include <gtest/gtest.h>

#include "tests/toolkit/toolkit_test_support.h"

#include <cstdlib>

#include "toolkit/core/toolkit.h"

namespace ui::test {

namespace {

// Starts the toolkit once for the whole test program.
class ToolkitEnvironment : public ::testing::Environment {
  public:
    void SetUp() override { ASSERT_TRUE(StartToolkit()); }
};

const auto* const kEnvironment = ::testing::AddGlobalTestEnvironment(new ToolkitEnvironment);

}  // namespace

void PumpPending() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

void PumpFor(int ms) {
    DWORD start = GetTickCount();
    while (GetTickCount() - start < static_cast<DWORD>(ms)) {
        PumpPending();
        Sleep(1);
    }
}

bool PumpUntil(const std::function<bool()>& done, int timeoutMs) {
    DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start > static_cast<DWORD>(timeoutMs)) return false;
        PumpPending();
        Sleep(1);
    }
    return true;
}

TestWindow::TestWindow(const AttachOptions& options, HostWindowSpec spec) {
    window = CreateHostWindow(spec);
    host = std::make_unique<HostWindow>();
    if (window) host->Attach(window, options);
}

TestWindow::~TestWindow() {
    if (window && IsWindow(window)) DestroyWindow(window);
    host.reset();
    PumpPending();
}

Rgba Unpremultiply(std::uint32_t p) {
    Rgba c;
    c.a = static_cast<int>(p >> 24);
    if (c.a == 0) return c;
    c.r = std::min(255, static_cast<int>((p >> 16) & 0xFF) * 255 / c.a);
    c.g = std::min(255, static_cast<int>((p >> 8) & 0xFF) * 255 / c.a);
    c.b = std::min(255, static_cast<int>(p & 0xFF) * 255 / c.a);
    return c;
}

Rgba BackPixel(const HostWindow& host, int x, int y) {
    return Unpremultiply(host.Composition().BackBuffer().Pixel(x, y));
}

Rgba ImagePixel(GpImage* image, int x, int y) {
    ARGB colour = 0;
    gp::GdipBitmapGetPixel(AsBitmap(image), x, y, &colour);
    return {static_cast<int>((colour >> 16) & 0xFF), static_cast<int>((colour >> 8) & 0xFF),
            static_cast<int>(colour & 0xFF), static_cast<int>(colour >> 24)};
}

::testing::AssertionResult NearColour(const Rgba& actual, const Rgba& expected, int tolerance) {
    auto off = [tolerance](int a, int b) { return std::abs(a - b) > tolerance; };
    if (off(actual.r, expected.r) || off(actual.g, expected.g) || off(actual.b, expected.b) ||
        off(actual.a, expected.a)) {
        return ::testing::AssertionFailure()
               << "got rgba(" << actual.r << "," << actual.g << "," << actual.b << "," << actual.a
               << "), expected rgba(" << expected.r << "," << expected.g << "," << expected.b << ","
               << expected.a << ") within " << tolerance;
    }
    return ::testing::AssertionSuccess();
}

std::vector<std::uint8_t> EncodePng(GpImage* image) {
    UINT count = 0, size = 0;
    gp::GdipGetImageEncodersSize(&count, &size);
    std::vector<std::uint8_t> buffer(size);
    auto* codecs = reinterpret_cast<Gdiplus::ImageCodecInfo*>(buffer.data());
    gp::GdipGetImageEncoders(count, size, codecs);
    const CLSID* png = nullptr;
    for (UINT i = 0; i < count; ++i) {
        if (std::wstring(codecs[i].MimeType) == L"image/png") png = &codecs[i].Clsid;
    }
    IStream* stream = nullptr;
    CreateStreamOnHGlobal(nullptr, TRUE, &stream);
    gp::GdipSaveImageToStream(image, stream, png, nullptr);
    HGLOBAL memory = nullptr;
    GetHGlobalFromStream(stream, &memory);
    STATSTG stat{};
    stream->Stat(&stat, STATFLAG_NONAME);
    auto* bytes = static_cast<std::uint8_t*>(GlobalLock(memory));
    std::vector<std::uint8_t> result(bytes, bytes + stat.cbSize.LowPart);
    GlobalUnlock(memory);
    stream->Release();
    return result;
}

std::vector<std::uint8_t> SolidPng(int width, int height, ARGB colour) {
    ImagePtr bitmap = NewArgbBitmap(width, height);
    GraphicsPtr graphics = NewSmoothGraphics(bitmap.get());
    gp::GdipGraphicsClear(graphics.get(), colour);
    graphics.reset();
    return EncodePng(bitmap.get());
}

HICON SolidIcon(COLORREF colour) {
    BITMAPV5HEADER header{};
    header.bV5Size = sizeof header;
    header.bV5Width = 16;
    header.bV5Height = 16;
    header.bV5Planes = 1;
    header.bV5BitCount = 32;
    header.bV5Compression = BI_RGB;
    void* bits = nullptr;
    HDC screen = GetDC(nullptr);
    HBITMAP colourBitmap = CreateDIBSection(screen, reinterpret_cast<BITMAPINFO*>(&header),
                                            DIB_RGB_COLORS, &bits, nullptr, 0);
    ReleaseDC(nullptr, screen);
    auto* pixels = static_cast<std::uint32_t*>(bits);
    std::uint32_t value =
        0xFF000000 | (GetRValue(colour) << 16) | (GetGValue(colour) << 8) | GetBValue(colour);
    for (int i = 0; i < 16 * 16; ++i)
        pixels[i] = value;
    HBITMAP mask = CreateBitmap(16, 16, 1, 1, nullptr);
    ICONINFO info{TRUE, 0, 0, mask, colourBitmap};
    HICON icon = CreateIconIndirect(&info);
    DeleteObject(mask);
    DeleteObject(colourBitmap);
    return icon;
}

int SolidElement::OnDisabledAlphaQuery() {
    ++disabledQueries;
    if (onDisabledQuery) onDisabledQuery();
    return disabledAnswer;
}

void SolidElement::DrawFace(PaintContext&) {
    gp::GdipGraphicsClear(BackingGraphics(), colour_);
}

// GDI objects of this process. Wine answers GetGuiResources with 0; there a handle whose high
// word is 0 still names its table entry, so the live entries can be counted directly.
int GdiObjectCount() {
    DWORD reported = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    if (reported != 0) return static_cast<int>(reported);
    int count = 0;
    for (UINT_PTR index = 1; index < 0x10000; ++index) {
        if (GetObjectType(reinterpret_cast<HGDIOBJ>(index)) != 0) ++count;
    }
    return count;
}

// Bytes in use in every heap of the process (GDI+ and GDI keep their objects there).
std::size_t HeapBytesInUse() {
    HANDLE heaps[64];
    DWORD count = GetProcessHeaps(64, heaps);
    std::size_t total = 0;
    for (DWORD i = 0; i < count && i < 64; ++i) {
        PROCESS_HEAP_ENTRY entry{};
        HeapLock(heaps[i]);
        while (HeapWalk(heaps[i], &entry)) {
            if (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY) total += entry.cbData;
        }
        HeapUnlock(heaps[i]);
    }
    return total;
}

}  // namespace ui::test

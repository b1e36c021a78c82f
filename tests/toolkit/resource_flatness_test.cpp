// Creating and destroying host windows with elements over and over leaves GDI objects, windows
// and the heap where they were.
#include <gtest/gtest.h>

#include <windows.h>
// Process memory counters.
#include <psapi.h>

#include <cstdio>

#include "tests/toolkit/toolkit_test_support.h"
#include "toolkit/core/control.h"
#include "toolkit/core/label.h"

namespace ui::test {
namespace {

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

BOOL CALLBACK CountWindow(HWND, LPARAM counter) {
    ++*reinterpret_cast<int*>(counter);
    return TRUE;
}

int ThreadWindowCount() {
    int count = 0;
    EnumThreadWindows(GetCurrentThreadId(), CountWindow, reinterpret_cast<LPARAM>(&count));
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

std::size_t PrivateBytes() {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
    return counters.PagefileUsage;
}

// One life of a host window: attached, elements of every kind, repainted, closed.
void OneCycle(bool layered) {
    HWND window = CreateHostWindow({});
    ASSERT_NE(window, nullptr);
    HostWindow host;
    AttachOptions options;
    options.settings.layeredAlpha = layered ? 230 : -1;
    options.settings.animationKind = AnimationKind::kNone;
    ASSERT_TRUE(host.Attach(window, options));
    Element panel, child;
    Control button;
    Label caption;
    ASSERT_TRUE(panel.Create(window, SpecAt(20, 40, 200, 120)));
    ASSERT_TRUE(child.Create(&panel, SpecAt(30, 50, 40, 40)));
    ControlSpec buttonSpec;
    buttonSpec.rect = {40, 100, 90, 26};
    buttonSpec.text = "确定(&O)";
    buttonSpec.style.fontSize = 14;  // a font of its own, released with the button
    ASSERT_TRUE(button.Create(&panel, buttonSpec));
    LabelSpec labelSpec;
    labelSpec.rect = {20, 180, 200, 20};
    labelSpec.text = "标签";
    labelSpec.style.effect = TextEffect::kHalo;
    ASSERT_TRUE(caption.Create(window, labelSpec));
    button.SetTooltip("提示", true);
    button.SetAnimationFrames(3, 10);
    button.PaintState(kStateHover);  // a fade with a snapshot
    PumpFor(5);
    host.Refresh();
    SendMessageW(window, WM_CLOSE, 0, 0);
    PumpPending();
    ASSERT_FALSE(IsWindow(window));
}

TEST(Resources, StayFlatOver200CyclesOfAHostWindowWithElements) {
    for (int i = 0; i < 10; ++i)
        OneCycle(i % 2 == 0);  // first-use allocations settle here
    PumpFor(50);
    int gdiBefore = GdiObjectCount();
    int windowsBefore = ThreadWindowCount();
    std::size_t heapBefore = HeapBytesInUse();
    std::size_t privateBefore = PrivateBytes();

    for (int i = 0; i < 200; ++i) {
        OneCycle(i % 2 == 0);
        if (HasFatalFailure()) return;
    }
    PumpFor(50);

    int gdiAfter = GdiObjectCount();
    int windowsAfter = ThreadWindowCount();
    std::size_t heapAfter = HeapBytesInUse();
    std::size_t privateAfter = PrivateBytes();
    std::printf("GDI objects %d -> %d, windows %d -> %d, heap %zu -> %zu, private %zu -> %zu\n",
                gdiBefore, gdiAfter, windowsBefore, windowsAfter, heapBefore, heapAfter,
                privateBefore, privateAfter);
    EXPECT_LE(gdiAfter, gdiBefore + 2);
    EXPECT_EQ(windowsAfter, windowsBefore);
    // A leak of one element bitmap or one GDI object per cycle would add far more than this.
    EXPECT_LT(static_cast<long long>(heapAfter) - static_cast<long long>(heapBefore), 4 * 1024);
    EXPECT_LT(static_cast<long long>(privateAfter) - static_cast<long long>(privateBefore),
              2 * 1024 * 1024);
}

}  // namespace
}  // namespace ui::test

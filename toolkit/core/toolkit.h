// The toolkit's program-wide state: GDI+, the default font and skin, and the registration of the
// window class of toolkit windows (window_class.h). StartToolkit runs once before any window;
// ShutdownToolkit is the clean-up the program registers as its end callback.
#pragma once

#include <functional>

#include "toolkit/core/gdiplus_api.h"

namespace ui {

// GDI+ start-up, the decoding of the images named ahead (decode_ahead.h), OS version, default
// font and skin, the "Ui_Surface" class, then the registered start steps (the controls' shared
// objects, such as the edit boxes' context menu). Returns false when GDI+ could not start. A
// second call does nothing and returns true.
bool StartToolkit();
// Runs the registered clean-up steps (last registered first) and releases the toolkit's own
// objects. GDI+ itself stays up: objects of the application may still release GDI+ handles
// while the process ends.
void ShutdownToolkit();
bool ToolkitStarted();

// Lets later parts of the toolkit (shared images, menus) release what they made.
void RegisterToolkitCleanup(std::function<void()> step);
// Lets the controls library build its program-wide objects as the last step of every start-up:
// the toolkit core cannot call into the controls built on it. Steps run in the order they were
// registered; a step registered after the start runs at once.
void RegisterToolkitStartStep(std::function<void()> step);

// 12-pixel regular font of "宋体", or of the caption font's face; 0 when GDI+ knows neither.
// Shared: elements never delete it.
GpFont* DefaultFont();
int OsMajorVersion();
// The glyph sheet controls cut their small pictures from (cells of kSkinCell pixels).
GpImage* DefaultSkin();
inline constexpr int kSkinCell = 12;
enum SkinGlyph {
    kGlyphClose,
    kGlyphMaximise,
    kGlyphRestore,
    kGlyphMinimise,
    kGlyphMenu,
    kGlyphDropDown,
    kGlyphCheck,
    kGlyphSubmenu
};

}  // namespace ui

// What an element needs from the host of its window, and nothing more: the tree it lives in, the
// back buffer it is composed into, its repaints, and a few host-wide facts. HostWindow implements
// it.
#pragma once

#include <windows.h>

#include <string>

#include "toolkit/core/geometry.h"
#include "toolkit/core/paint_context.h"

namespace ui {

class ElementLinks;
class ElementTree;

// The window property through which any code finds the host of a window.
inline constexpr wchar_t kHostProperty[] = L"Ui_Wnd_Control";

class ElementHost {
  public:
    // The host registered on `window`, or 0.
    static ElementHost* FromWindow(HWND window) {
        return window ? static_cast<ElementHost*>(GetPropW(window, kHostProperty)) : nullptr;
    }

    // ---- The tree
    // The whole tree: focus, hover, accelerators (for controls and the application).
    virtual ElementTree& Elements() = 0;
    // The part an element itself uses: its links, its liveness, its focus.
    virtual ElementLinks& Links() = 0;

    // ---- Painting
    // Set while the window is attached, animated, refreshed or torn down: nothing is painted.
    virtual bool IsBusy() const = 0;
    // Asks for a rectangle of the window to be repainted. On the window's thread it joins the
    // dirty-rectangle queue, flushed once when the thread next takes its messages; another
    // thread posts it to the window.
    virtual void Invalidate(const RectF& rect) = 0;
    // Repaints and presents a rectangle of the window now.
    virtual void RepaintNow(const RectF& rect) = 0;
    // The host's back buffer, background buffer and the clip in force.
    virtual void FillPaintContext(PaintContext& context) const = 0;

    // ---- Host-wide facts
    // The tip of an element changed: it takes the place of the tip shown (Tooltip::Update).
    virtual void UpdateTooltip(const std::string& text, const RectF& rect) = 0;
    // Whether the window's background under `rect` is mostly dark (automatic text colours).
    virtual bool BackgroundIsDark(const RectF& rect) const = 0;
    // Whether the window has rounded corners (the default corner flag of controls).
    virtual bool RoundedCorners() const = 0;

  protected:
    ~ElementHost() = default;
};

}  // namespace ui

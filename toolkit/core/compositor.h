// Turns a host's element tree into the window's pixels: the back buffer that everything is
// composed into, the background buffer it is restored from under every dirty rectangle, the
// clip region of the window's shape, the dirty-rectangle queue, and presentation with BitBlt or
// UpdateLayeredWindow.
#pragma once

#include <windows.h>

#include "toolkit/core/dib_surface.h"
#include "toolkit/core/dirty_rect_queue.h"
#include "toolkit/core/element_messages.h"
#include "toolkit/core/host_settings.h"
#include "toolkit/core/images.h"
#include "toolkit/core/paint_context.h"
#include "toolkit/core/window_dc.h"

namespace ui {

class ElementTree;
class Element;

class Compositor {
  public:
    Compositor(const HostSettings& settings, const ElementTree& elements);
    Compositor(const Compositor&) = delete;
    Compositor& operator=(const Compositor&) = delete;

    // ---- Surfaces
    // Takes the window's DC and makes both buffers at the window's size.
    void Attach(HWND window);
    // New buffers when the window's size changed; returns whether it did.
    bool FollowWindowSize();
    void Release();
    bool IsReady() const { return back_.IsValid(); }
    int Width() const { return back_.Width(); }
    int Height() const { return back_.Height(); }
    bool IsLayered() const { return settings_.IsLayered(); }
    const DibSurface& BackBuffer() const { return back_; }
    const DibSurface& BackgroundBuffer() const { return background_; }
    GpGraphics* Graphics() const { return back_.Graphics(); }
    void FillPaintContext(PaintContext& context) const;

    // ---- Busy: nothing is repainted or presented while set.
    bool Busy() const { return busy_; }
    void SetBusy(bool busy) { busy_ = busy; }

    // ---- Background image: decoded once; an external one belongs to the caller.
    void SetBackgroundImage(ByteView bytes);
    void SetExternalBackgroundImage(GpImage* image);
    GpImage* BackgroundImage() const;
    bool BackgroundIsDark(const RectF& rect) const;

    // ---- Whole-window refresh, in this order (the host calls its background callback and
    // lays out its caption in between).
    void PaintBackground();
    void FinishBackground();
    void ComposeAll(bool askStateRepaint);

    // ---- Dirty rectangles
    DirtyRectQueue& Queue() { return queue_; }
    // kQueue appends, kFirst puts the rectangle first, kNow repaints and presents it at once;
    // then, unless a flush is running, the queue is flushed.
    void QueueRect(const RectF& rect, RepaintMode mode);
    // Queues the rectangle and makes sure one flush follows when the window's thread next takes
    // its messages (one posted request, however many rectangles join before it is taken).
    void Invalidate(const RectF& rect);
    // The posted request arrived.
    void FlushRequested();
    // Repaints the waiting rectangles, including those that join meanwhile, and presents a plain
    // window per rectangle and a layered one once at the end.
    void Flush();
    bool Flushing() const { return flushing_; }
    // Background copy, composition and (when asked) presentation of one rectangle.
    void RepaintRect(const RectF& rect, bool present);

    // ---- Presentation
    void Present(const RectF& rect);
    void PresentWhole();
    void PresentLayered(HDC source, int constantAlpha);
    // How many times the window was presented (BitBlt or UpdateLayeredWindow).
    int PresentCount() const { return presentCount_; }
    // The fade-in after a refresh: starts at alpha 0; each step adds 51 and presents. Returns
    // true at the step that reaches 255.
    void StartFadeIn();
    bool StepFadeIn();

  private:
    void ApplyHostClip();
    void ComposeList(Element* first, bool askStateRepaint);
    void ComposeElement(Element* element, bool askStateRepaint);

    const HostSettings& settings_;
    const ElementTree& elements_;
    HWND window_ = nullptr;
    WindowDc windowDc_;
    DibSurface back_;
    DibSurface background_;
    RegionPtr clipRegion_;
    ImagePtr ownBackground_;
    GpImage* externalBackground_ = nullptr;
    DirtyRectQueue queue_;
    bool flushing_ = false;
    bool flushRequested_ = false;
    bool busy_ = false;
    int fadeAlpha_ = 255;
    int presentCount_ = 0;
};

}  // namespace ui

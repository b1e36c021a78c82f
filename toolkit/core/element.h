// The windowless element: a rectangle in window coordinates with its own backing bitmap, linked
// into the tree of a HostWindow. Everything visible inside a toolkit window derives from it.
//
// An element is addressed by its handle, the element's own address while it is created (0 when
// it is not). The application owns the element objects; the host only links them. Destroy()
// returns an element to the not-created state, and it may be created again. Concrete classes
// call Destroy() in their destructors, so their own clean-up runs while they still exist.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "toolkit/core/element_messages.h"
#include "toolkit/core/gdiplus_api.h"
#include "toolkit/core/geometry.h"
#include "toolkit/core/paint_context.h"

namespace ui {

class HostWindow;
class Element;
using ElementHandle = Element*;

// What a message binding receives. `parent` / `parentWindow` are null for a top-level element.
struct ElementEvent {
    Element* source = nullptr;
    UINT message = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
    Element* parent = nullptr;
    HWND parentWindow = nullptr;
};
using ElementHandler = std::function<int(const ElementEvent&)>;

// Type ids with a meaning to the toolkit.
enum ElementType : int {
    kTypeNoTabFocus = 1,
    kTypeControl = 2,
    kTypeLabel = 3,
    kTypePicture = 4,
    kTypeSharedBitmap = 21,  // keeps a 1 x 1 backing bitmap
};

struct ElementSpec {
    RectF rect;
    int typeId = 0;
    bool visible = true;
    std::optional<bool> focusable;  // default: focusable
    HCURSOR cursor = nullptr;
    int cursorId = 0;  // a system cursor id, loaded when no cursor handle is given
    int animationInterval = 0;
    int animationFrames = 0;
    int transitionStyle = 0;
};

// Transition styles: how a change of look is animated.
enum TransitionStyle : int {
    kCrossFade = 0,
    kSlideDown = 1,
    kSlideUp = 2,
    kSlideRight = 3,
    kSlideLeft = 4
};

class Element {
  public:
    Element() = default;
    virtual ~Element();
    Element(const Element&) = delete;
    Element& operator=(const Element&) = delete;

    // Creates the element at the top level of a host window, or as the last child of a
    // created parent. Returns the handle, or 0 when the window (or the parent's window) has no
    // host, or the parent's host is not the one registered on its window.
    ElementHandle Create(HWND hostWindow, const ElementSpec& spec);
    ElementHandle Create(Element* parent, const ElementSpec& spec);
    void Destroy();

    ElementHandle Handle() const { return self_; }
    bool IsCreated() const { return self_ != nullptr; }
    HWND Window() const { return window_; }
    HostWindow* Host() const { return host_; }
    Element* ParentElement() const { return parent_; }
    HWND ParentWindow() const { return parentWindow_; }
    void SetParent(Element* parent);
    void SetParent(HWND window);

    RectF Rect() const { return rect_; }
    void SetRect(const RectF& rect);
    bool Visible() const { return visible_; }
    void SetVisible(bool visible);
    bool Disabled() const { return disabled_; }
    void SetDisabled(bool disabled);
    bool Focusable() const { return focusable_; }
    void SetFocusable(bool focusable);
    bool HasFocus();
    bool RedrawEnabled() const { return redrawEnabled_; }

    // Sends the paint message: the element redraws its bitmap now.
    void Redraw();
    // Asks the host (by a posted message) to repaint the element's rectangle.
    void Invalidate();
    // Missing values keep the current ones; a change of 1e-7 or less is no change.
    void Move(std::optional<float> x, std::optional<float> y, std::optional<float> width,
              std::optional<float> height, bool repaint = true);

    std::string Tooltip() const { return tooltip_; }
    void SetTooltip(const std::string& text, bool apply = true);
    void ApplyTooltip(const std::string& text);

    // Replaces the handler of that message or adds one. A binding for WM_LBUTTONDBLCLK (515)
    // fires for the host's synthesised press (WM_LBUTTONDOWN with wParam 10086).
    void BindEvent(UINT message, ElementHandler handler);

    int Alpha() const { return alpha_; }
    void SetAlpha(int alpha, bool repaint = true);
    int AnimationFrames() const { return animationFrames_; }
    void SetAnimationFrames(std::optional<int> frames, std::optional<int> interval = {});
    int AnimationInterval() const { return animationInterval_; }
    void SetAnimationInterval(int interval) { animationInterval_ = interval; }
    int AnimationFrame() const { return animationFrame_; }
    int TransitionStyle() const { return transitionStyle_; }
    void SetTransitionStyle(int style) { transitionStyle_ = style; }

    // Reach the element through its window, so that other threads may call them.
    LRESULT SendElementMessage(UINT message, WPARAM wParam, LPARAM lParam);
    bool PostElementMessage(UINT message, WPARAM wParam, LPARAM lParam);

    HCURSOR Cursor() const { return cursor_; }
    void SetCursor(HCURSOR cursor) { cursor_ = cursor; }
    void SetCursorId(int systemCursorId);
    std::string Name() const { return name_; }
    void SetName(const std::string& name) { name_ = name; }

    int Left() const { return static_cast<int>(rect_.x); }
    int Top() const { return static_cast<int>(rect_.y); }
    int Width() const { return static_cast<int>(rect_.width); }
    int Height() const { return static_cast<int>(rect_.height); }
    void SetLeft(int value);
    void SetTop(int value);
    void SetWidth(int value);
    void SetHeight(int value);

    // where 2: to the head of its sibling list (painted first, bottom); else to the tail.
    void ChangeZOrder(int where, bool skipRepaint = false);
    void Unlink();
    void LockRedraw() { redrawEnabled_ = false; }
    void UnlockRedraw() { redrawEnabled_ = true; }

    int TypeId() const { return typeId_; }
    Element* FirstChild() const { return firstChild_; }
    Element* LastChild() const { return lastChild_; }
    Element* PreviousSibling() const { return previous_; }
    Element* NextSibling() const { return next_; }
    RectF PreviousRect() const { return previousRect_; }
    GpImage* BackingBitmap() const { return bitmap_.get(); }
    GpGraphics* BackingGraphics() const { return graphics_.get(); }
    GpImage* Snapshot() const { return snapshot_.get(); }

    // Message delivery: HandleMessage, then the first matching binding. Returns HandleMessage's
    // result; -1 means "not handled".
    int Deliver(UINT message, WPARAM wParam, LPARAM lParam);

    // The class's own message handling; -1 = not handled.
    virtual int HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    // Called after the bitmap was cleared and before a face is drawn, and after it is drawn.
    virtual void BeforePaint(PaintContext& context);
    virtual void AfterPaint(PaintContext& context);

    // One step of a running transition (the timer's work).
    void AnimationTick();

  protected:
    void SetTypeId(int typeId) { typeId_ = typeId; }
    // The paint context of this element in its host.
    PaintContext MakePaintContext() const;
    // Starts a paint that may be animated: with `present`, the old look becomes the snapshot.
    void BeginFacePaint(PaintContext& context, bool present);
    // The common end of every face paint: AfterPaint, then a transition or a queued repaint.
    void FinishFacePaint(PaintContext& context, bool present);
    // Clears the backing bitmap to transparent.
    void ClearBitmap();
    void SetSnapshot(ImagePtr snapshot) { snapshot_ = std::move(snapshot); }

  private:
    friend class HostWindow;

    ElementHandle CreateIn(HWND window, HostWindow* host, Element* parent, const ElementSpec& spec);
    void ResetFields();
    void AppendTo(Element*& head, Element*& tail);
    void LinkUnder(Element* parent, HWND parentWindow);
    void CreateBackingBitmap();
    void ShiftDescendants(float dx, float dy);
    void NotifyMoved(bool repaint);
    void StopTransition();
    void StartTransitionOrQueue();
    void PostRepaint(const RectF& rect, WPARAM mode);

    HWND window_ = nullptr;
    ElementHandle self_ = nullptr;
    Element* parent_ = nullptr;
    HWND parentWindow_ = nullptr;
    bool visible_ = false;
    bool disabled_ = false;
    bool focusable_ = false;
    bool redrawEnabled_ = false;
    HCURSOR cursor_ = nullptr;
    std::vector<std::pair<UINT, ElementHandler>> bindings_;
    RectF rect_;
    std::string tooltip_;
    std::string name_;
    int typeId_ = 0;
    Element* firstChild_ = nullptr;
    Element* lastChild_ = nullptr;
    Element* previous_ = nullptr;
    Element* next_ = nullptr;
    int animationFrame_ = 0;
    ImagePtr bitmap_;
    GraphicsPtr graphics_;
    HostWindow* host_ = nullptr;
    int alpha_ = 255;
    ImagePtr snapshot_;
    int animationInterval_ = 0;
    RectF previousRect_;
    int animationFrames_ = 0;
    int transitionStyle_ = 0;
};

}  // namespace ui

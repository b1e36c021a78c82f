// The windowless element: a rectangle in window coordinates with its own backing bitmap, linked
// into the tree of a host window. Everything visible inside a toolkit window derives from it.
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

class ElementHost;
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

// Type ids of the toolkit's element classes.
enum class ElementType : int {
    kPlain = 0,
    kNoTabFocus = 1,  // never receives the Tab focus
    kControl = 2,
    kLabel = 3,
    kPicture = 4,
    kCheckBox = 10,
    kSharedBitmap = 21,  // keeps a 1 x 1 backing bitmap
    kGlowButton = 23,
    kImageButton = 24,
    kEditBox = 25,
};

// How a change of look is animated.
enum class TransitionStyle : int {
    kCrossFade = 0,
    kSlideDown = 1,
    kSlideUp = 2,
    kSlideRight = 3,
    kSlideLeft = 4,
};

// Where ChangeZOrder puts an element in its sibling list.
enum class ZOrder : int {
    kTop = 1,     // the tail: painted last, hit first
    kBottom = 2,  // the head: painted first, hit last
};

struct ElementSpec {
    RectF rect;
    ElementType type = ElementType::kPlain;
    bool visible = true;
    bool focusable = true;
    HCURSOR cursor = nullptr;
    int cursorId = 0;  // a system cursor id, loaded when no cursor handle is given
    int animationInterval = 0;
    int animationFrames = 0;
    TransitionStyle transition = TransitionStyle::kCrossFade;
};

// The two ends of a sibling list: a host's top-level elements, or the children of an element.
struct SiblingList {
    Element* first = nullptr;
    Element* last = nullptr;
};

// Where an element is created: at the top level of a host window, or as the last child of a
// created parent.
struct ElementParent {
    ElementParent(HWND window) : window(window) {}
    ElementParent(Element* element) : element(element) {}
    HWND window = nullptr;
    Element* element = nullptr;
};

class Element {
  public:
    Element() = default;
    virtual ~Element();
    Element(const Element&) = delete;
    Element& operator=(const Element&) = delete;

    // ---- Life cycle
    // Returns the handle, or 0 when the window (or the parent's window) has no host, or the
    // parent's host is not the one registered on its window.
    ElementHandle Create(const ElementParent& parent, const ElementSpec& spec);
    void Destroy();
    ElementHandle Handle() const { return self_; }
    bool IsCreated() const { return self_ != nullptr; }
    HWND Window() const { return window_; }
    ElementHost* Host() const { return host_; }
    ElementType TypeId() const { return typeId_; }

    // ---- Tree
    Element* ParentElement() const { return parent_; }
    HWND ParentWindow() const { return parentWindow_; }
    void SetParent(Element* parent);
    void SetParent(HWND window);
    Element* FirstChild() const { return children_.first; }
    Element* LastChild() const { return children_.last; }
    Element* PreviousSibling() const { return previous_; }
    Element* NextSibling() const { return next_; }
    void ChangeZOrder(ZOrder where, bool skipRepaint = false);
    void Unlink();

    // ---- Geometry
    RectF Rect() const { return rect_; }
    RectF PreviousRect() const { return previousRect_; }
    void SetRect(const RectF& rect);
    // Missing values keep the current ones; a change of 1e-7 or less is no change.
    void Move(std::optional<float> x, std::optional<float> y, std::optional<float> width,
              std::optional<float> height, bool repaint = true);
    int Left() const { return static_cast<int>(rect_.x); }
    int Top() const { return static_cast<int>(rect_.y); }
    int Width() const { return static_cast<int>(rect_.width); }
    int Height() const { return static_cast<int>(rect_.height); }
    void SetLeft(int value);
    void SetTop(int value);
    void SetWidth(int value);
    void SetHeight(int value);

    // ---- State
    bool Visible() const { return visible_; }
    void SetVisible(bool visible);
    bool Disabled() const { return disabled_; }
    void SetDisabled(bool disabled);
    bool Focusable() const { return focusable_; }
    void SetFocusable(bool focusable);
    bool HasFocus();
    // Whether the element got the host's focus from the keyboard (it then shows a focus frame).
    bool HasKeyboardFocus() const;
    int Alpha() const { return alpha_; }
    void SetAlpha(int alpha, bool repaint = true);

    // ---- Painting
    // Sends the paint message: the element redraws its bitmap now.
    void Redraw();
    // Asks the host (by a posted message) to repaint the element's rectangle.
    void Invalidate();
    // The one way a face is drawn: the bitmap is cleared, DrawFace draws it between the
    // BeforePaint and AfterPaint hooks, and then the change is shown. With `present` the old
    // look is kept as a snapshot and the change fades in when the element has fades.
    void PaintFace(bool present = true);
    bool RedrawEnabled() const { return redrawEnabled_; }
    void LockRedraw() { redrawEnabled_ = false; }
    void UnlockRedraw() { redrawEnabled_ = true; }
    GpImage* BackingBitmap() const { return bitmap_.get(); }
    GpGraphics* BackingGraphics() const { return graphics_.get(); }
    GpImage* Snapshot() const { return snapshot_.get(); }
    // The paint context of this element in its host.
    PaintContext MakePaintContext() const;

    // ---- Transitions
    int AnimationFrames() const { return animationFrames_; }
    void SetAnimationFrames(std::optional<int> frames, std::optional<int> interval = {});
    int AnimationInterval() const { return animationInterval_; }
    void SetAnimationInterval(int interval) { animationInterval_ = interval; }
    int AnimationFrame() const { return animationFrame_; }
    TransitionStyle Transition() const { return transitionStyle_; }
    void SetTransition(TransitionStyle style) { transitionStyle_ = style; }
    // One step of a running transition (the timer's work).
    void AnimationTick();

    // ---- Messages
    // HandleMessage, then the first matching binding. Returns HandleMessage's result; -1 means
    // "not handled".
    int Deliver(UINT message, WPARAM wParam, LPARAM lParam);
    // The class's own message handling; -1 = not handled.
    virtual int HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    // Replaces the handler of that message or adds one. A binding for WM_LBUTTONDBLCLK (515)
    // fires for the host's synthesised press (WM_LBUTTONDOWN with wParam 10086).
    void BindEvent(UINT message, ElementHandler handler);
    // Reach the element through its window, so that other threads may call them.
    LRESULT SendElementMessage(UINT message, WPARAM wParam, LPARAM lParam);
    bool PostElementMessage(UINT message, WPARAM wParam, LPARAM lParam);

    // ---- Tooltip, cursor, name
    std::string Tooltip() const { return tooltip_; }
    void SetTooltip(const std::string& text, bool apply = true);
    void ApplyTooltip(const std::string& text);
    HCURSOR Cursor() const { return cursor_; }
    void SetCursor(HCURSOR cursor) { cursor_ = cursor; }
    void SetCursorId(int systemCursorId);
    std::string Name() const { return name_; }
    void SetName(const std::string& name) { name_ = name; }

  protected:
    void SetTypeId(ElementType type) { typeId_ = type; }
    // Draws the face into the cleared backing bitmap (PaintFace). Empty in Element.
    virtual void DrawFace(PaintContext& context);
    // Called after the bitmap was cleared and before a face is drawn, and after it is drawn.
    virtual void BeforePaint(PaintContext& context);
    virtual void AfterPaint(PaintContext& context);
    // The dashed focus frame, drawn on `rect` when the element has the keyboard focus.
    void DrawKeyboardFocusFrame(const RectF& rect);
    void ClearBitmap();

  private:
    ElementHandle CreateIn(HWND window, ElementHost* host, Element* parent,
                           const ElementSpec& spec);
    void ResetFields();
    SiblingList& OwnList();
    void AppendTo(SiblingList& list);
    void PrependTo(SiblingList& list);
    void LinkUnder(Element* parent, HWND parentWindow);
    void CreateBackingBitmap();
    void ShiftDescendants(float dx, float dy);
    void NotifyMoved(bool repaint);
    void TakeSnapshot();
    void StopTransition();
    void StartTransitionOrQueue();
    void PostRepaint(const RectF& rect, RepaintMode mode);

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
    ElementType typeId_ = ElementType::kPlain;
    SiblingList children_;
    Element* previous_ = nullptr;
    Element* next_ = nullptr;
    int animationFrame_ = 0;
    ImagePtr bitmap_;
    GraphicsPtr graphics_;
    ElementHost* host_ = nullptr;
    int alpha_ = 255;
    ImagePtr snapshot_;
    int animationInterval_ = 0;
    RectF previousRect_;
    int animationFrames_ = 0;
    TransitionStyle transitionStyle_ = TransitionStyle::kCrossFade;
};

}  // namespace ui

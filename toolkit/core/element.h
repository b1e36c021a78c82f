// The windowless element: a rectangle in window coordinates with its own backing bitmap, linked
// into the tree of a host window. Everything visible inside a toolkit window derives from it.
//
// An element is addressed by its handle, the element's own address while it is created (0 when
// it is not). The application owns the element objects; the host only links them. Destroy()
// returns an element to the not-created state, and it may be created again. Concrete classes
// call Destroy() in their destructors, so their own clean-up runs while they still exist.
//
// Messages reach an element through Deliver: HandleMessage decodes each one once into a typed
// hook below (OnPaint, OnMouseDown, OnFocusGained, ...), which a class overrides, and then the
// binding of that message runs.
//
// Liveness: an element lives from Create until Destroy, and each creation has its own
// generation. An element that is not created has no host and no window: operations that would
// reach them, or deliver a message, do nothing (plain values it is given are set anew by
// Create). A hook or a binding may destroy the element it runs for, so code that goes on after
// delivering a message asks Notify's answer first. Timers and posted messages carry the
// generation: one queued for an earlier creation never reaches a later one at the same address.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "toolkit/core/accessible_traits.h"
#include "toolkit/core/element_events.h"
#include "toolkit/core/element_identity.h"
#include "toolkit/core/element_messages.h"
#include "toolkit/core/element_transition.h"
#include "toolkit/core/gdiplus_api.h"
#include "toolkit/core/geometry.h"
#include "toolkit/core/paint_context.h"

namespace ui {

class AccessibleElement;
class ElementHost;
class ElementTree;
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
    ElementHandle Handle() const { return generation_ ? const_cast<Element*>(this) : nullptr; }
    bool IsCreated() const { return generation_ != 0; }
    // Which creation this is; 0 when the element is not created.
    ElementGeneration Generation() const { return generation_; }
    HWND Window() const { return window_; }
    ElementHost* Host() const { return host_; }
    ElementType TypeId() const { return typeId_; }

    // ---- Tree (the links are kept by the host's ElementTree)
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
    // Asks the host to repaint the element's rectangle (soon, not now).
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
    GpImage* Snapshot() const { return transition_.Snapshot(); }
    // The paint context of this element in its host.
    PaintContext MakePaintContext() const;

    // ---- Transitions (the fade state lives in an ElementTransition)
    int AnimationFrames() const { return transition_.Frames(); }
    void SetAnimationFrames(std::optional<int> frames, std::optional<int> interval = {});
    int AnimationInterval() const { return transition_.Interval(); }
    void SetAnimationInterval(int interval) { transition_.SetInterval(interval); }
    int AnimationFrame() const { return transition_.Frame(); }
    TransitionStyle Transition() const { return transition_.Style(); }
    void SetTransition(TransitionStyle style) { transition_.SetStyle(style); }
    // Whether composition draws the element's fade now.
    bool TransitionRunning() const { return transition_.Running(); }
    // One step of a running fade (its timer's work).
    void AnimationTick();

    // ---- Timer: one window timer of the element's own; its ticks arrive as OnTimer.
    void StartTimer(UINT periodMs);
    void StopTimer();
    UINT_PTR TimerId() const { return ElementTimerId(generation_, ElementTimer::kOwn); }

    // ---- Messages
    // HandleMessage, then the first matching binding. Returns HandleMessage's result; -1 means
    // "not handled".
    int Deliver(UINT message, WPARAM wParam, LPARAM lParam);
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

    // ---- Accessibility: what screen readers and automation tools are told (accessible_*.h)
    // The role, name, states and value the class describes, with the name and role given
    // below in place of the class's own (an image without text, a button that opens a page).
    AccessibleFacts Accessibility() const;
    void SetAccessibleName(const std::string& name);
    void SetAccessibleRole(AccessibleRole role) { accessibleRole_ = role; }
    // The element's accessible object: made at the first question, cut off by Destroy; 0 while
    // the element is not created.
    AccessibleElement* Accessible();
    // Takes a value given through the accessible object (an edit box's text); false where the
    // element has no value.
    virtual bool SetAccessibleValue(const std::wstring& text);

  protected:
    // ---- Typed events, one hook per kind of message; the defaults do nothing. Hooks that
    // answer return the message's result, -1 meaning "not handled"; the others count as -1.
    // Life cycle: created (linked, with its bitmap), destroyed (before anything is released),
    // paint (redraw the bitmap), shown, hidden.
    virtual void OnCreate();
    virtual void OnDestroy();
    virtual void OnPaint();
    virtual void OnShown();
    virtual void OnHidden();
    // Mouse (from the host's input routing).
    virtual void OnMouseDown(const MouseEvent& event);
    virtual void OnMouseUp(const MouseEvent& event);
    virtual void OnMouseMove(const MouseEvent& event);
    virtual void OnMouseEnter(Element* from);
    virtual void OnMouseLeave(Element* to);
    virtual void OnClick();
    virtual void OnWheel(int delta);
    // Focus, with the element that had it or takes it.
    virtual void OnFocusGained(Element* previous);
    virtual void OnFocusLost(Element* next);
    // Size and place.
    virtual void OnSizeChanged(int width, int height);
    virtual void OnMoved(bool repaint);
    // The element's own timer (StartTimer).
    virtual void OnTimer(UINT_PTR id);
    // Keyboard: a key, a typed character, the input method's composition.
    virtual int OnKeyDown(WPARAM key);
    virtual int OnCharacter(WPARAM code);
    virtual int OnComposition(LPARAM parts);
    // State: repaint for the current state, alpha changed, fades starting and ending, and the
    // drawing of a fade frame (1 or more: the element drew it).
    virtual void OnStateRepaint();
    virtual void OnAlphaChanged(int alpha);
    virtual void OnTransitionStart();
    virtual void OnTransitionEnd();
    virtual int OnCustomTransition(PaintContext& context);
    // Queries. A press without the focus: anything but -1 takes the capture. Composing while
    // disabled: anything but -1 draws at full alpha. The focus: -1 lets the host decide.
    virtual int OnPressWithoutFocus();
    virtual int OnDisabledAlphaQuery();
    virtual int OnFocusQuery();
    // Every other message (WM_SETTEXT, WM_COMMAND, the application's own codes).
    virtual int OnOtherMessage(UINT message, WPARAM wParam, LPARAM lParam);

    // ---- Faces
    // Draws the face into the cleared backing bitmap (PaintFace). Empty in Element.
    virtual void DrawFace(PaintContext& context);
    // Called after the bitmap was cleared and before a face is drawn, and after it is drawn.
    virtual void BeforePaint(PaintContext& context);
    virtual void AfterPaint(PaintContext& context);

    // ---- Accessibility
    // What the class knows: by default a picture is a graphic, a label static text, and the
    // name is the tooltip.
    virtual void DescribeForAccessibility(AccessibleFacts& facts) const;
    // Tells listening screen readers that something about the element changed (a WinEvent:
    // EVENT_OBJECT_STATECHANGE, _VALUECHANGE, _NAMECHANGE).
    void Announce(DWORD event) const;
    // The dashed focus frame, drawn on `rect` when the element has the keyboard focus.
    void DrawKeyboardFocusFrame(const RectF& rect);
    void ClearBitmap();
    // Delivers a message and answers whether the element still lives.
    bool Notify(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);

  private:
    friend class ElementTree;  // keeps the links
    struct Decoding;
    static const Decoding kDecodings[];

    // Decodes a message into its hook (element_decoder.cpp).
    int HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    ElementHandle CreateIn(HWND window, ElementHost* host, Element* parent,
                           const ElementSpec& spec);
    void ResetFields();
    void CreateBackingBitmap();
    void DestroyChildren();
    void ShiftDescendants(float dx, float dy);
    void NotifyMoved(bool repaint);
    void TakeSnapshot();
    void StartTransitionOrQueue();
    void RunBinding(UINT message, WPARAM wParam, LPARAM lParam);

    HWND window_ = nullptr;
    ElementGeneration generation_ = 0;
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
    ImagePtr bitmap_;
    GraphicsPtr graphics_;
    ElementHost* host_ = nullptr;
    int alpha_ = 255;
    RectF previousRect_;
    ElementTransition transition_;
    std::string accessibleName_;
    std::optional<AccessibleRole> accessibleRole_;
    AccessibleElement* accessible_ = nullptr;
};

}  // namespace ui

#include "toolkit/core/element.h"

#include <algorithm>

#include "toolkit/core/element_host.h"
#include "toolkit/core/element_tree.h"
#include "toolkit/core/posted_payloads.h"
#include "toolkit/core/shapes.h"

namespace ui {

namespace {

UINT_PTR FadeTimerId(const Element* element) {
    return reinterpret_cast<UINT_PTR>(element) + 1;
}

// The fade timer's procedure. The id may outlive its element (a WM_TIMER already queued), so
// the element's liveness is asked before it is touched.
void CALLBACK FadeTimerProc(HWND window, UINT, UINT_PTR id, DWORD) {
    auto* element = reinterpret_cast<Element*>(id - 1);
    ElementHost* host = ElementHost::FromWindow(window);
    if (!host || !host->Elements().IsLive(element)) {
        KillTimer(window, id);
        return;
    }
    element->AnimationTick();
}

bool IsSameThreadAs(HWND window) {
    return GetWindowThreadProcessId(window, nullptr) == GetCurrentThreadId();
}

HCURSOR SystemCursor(int id) {
    return LoadCursorW(nullptr, MAKEINTRESOURCEW(id));
}

PayloadWindow PayloadWindowOf(HWND window) {
    return reinterpret_cast<PayloadWindow>(window);
}

}  // namespace

Element::~Element() {
    Destroy();
}

ElementHandle Element::Create(const ElementParent& parent, const ElementSpec& spec) {
    if (self_) Destroy();
    if (parent.element) {
        Element* p = parent.element;
        if (!p->self_ || p == this) return nullptr;
        ElementHost* registered = ElementHost::FromWindow(p->window_);
        if (!registered || registered != p->host_) return nullptr;
        return CreateIn(p->window_, p->host_, p, spec);
    }
    ElementHost* host = ElementHost::FromWindow(parent.window);
    if (!host) return nullptr;
    return CreateIn(parent.window, host, nullptr, spec);
}

ElementHandle Element::CreateIn(HWND window, ElementHost* host, Element* parent,
                                const ElementSpec& spec) {
    rect_ = spec.rect;
    cursor_ = spec.cursor;
    if (!cursor_ && spec.cursorId) cursor_ = SystemCursor(spec.cursorId);
    tooltip_.clear();
    parent_ = nullptr;
    parentWindow_ = nullptr;
    alpha_ = 255;
    typeId_ = spec.type;
    visible_ = spec.visible;
    focusable_ = spec.focusable;
    disabled_ = false;
    redrawEnabled_ = true;
    previous_ = next_ = nullptr;
    window_ = window;
    host_ = host;
    self_ = this;
    host->Elements().Add(this);
    if (parent) {
        SetParent(parent);
    } else {
        AppendTo(host->Elements().TopLevel());
    }
    CreateBackingBitmap();
    animationInterval_ = spec.animationInterval;
    animationFrames_ = spec.animationFrames;
    animationFrame_ = 0;
    transitionStyle_ = spec.transition;
    auto bitmap = reinterpret_cast<WPARAM>(bitmap_.get());
    auto graphics = reinterpret_cast<LPARAM>(graphics_.get());
    Deliver(kMsgCreate, bitmap, graphics);
    if (self_) Deliver(kMsgPaint, bitmap, graphics);
    return self_;
}

void Element::CreateBackingBitmap() {
    graphics_.reset();
    bool shared = typeId_ == ElementType::kSharedBitmap;
    bitmap_ = NewArgbBitmap(shared ? 1 : Width(), shared ? 1 : Height());
    graphics_ = NewSmoothGraphics(bitmap_.get());
}

void Element::Destroy() {
    if (!self_ || !host_) return;
    visible_ = false;
    Invalidate();
    while (Element* child = children_.first) {
        child->Destroy();
        if (children_.first == child) child->Unlink();  // not a live child: just drop it
    }
    HandleMessage(kMsgDestroy, 0, 0);
    KillTimer(window_, FadeTimerId(this));
    host_->Elements().Forget(this);
    Unlink();
    ResetFields();
}

void Element::ResetFields() {
    window_ = nullptr;
    self_ = nullptr;
    parent_ = nullptr;
    parentWindow_ = nullptr;
    visible_ = disabled_ = focusable_ = redrawEnabled_ = false;
    cursor_ = nullptr;
    bindings_.clear();
    rect_ = {};
    tooltip_.clear();
    name_.clear();
    typeId_ = ElementType::kPlain;
    children_ = {};
    previous_ = next_ = nullptr;
    animationFrame_ = 0;
    graphics_.reset();
    bitmap_.reset();
    host_ = nullptr;
    alpha_ = 0;
    snapshot_.reset();
    animationInterval_ = 0;
    previousRect_ = {};
    animationFrames_ = 0;
    transitionStyle_ = TransitionStyle::kCrossFade;
}

// ---- Tree

SiblingList& Element::OwnList() {
    return parent_ ? parent_->children_ : host_->Elements().TopLevel();
}

void Element::AppendTo(SiblingList& list) {
    previous_ = list.last;
    next_ = nullptr;
    if (list.last) list.last->next_ = this;
    list.last = this;
    if (!list.first) list.first = this;
}

void Element::PrependTo(SiblingList& list) {
    next_ = list.first;
    previous_ = nullptr;
    if (list.first) list.first->previous_ = this;
    list.first = this;
    if (!list.last) list.last = this;
}

void Element::SetParent(Element* parent) {
    if (!self_) return;
    if (!parent) {
        SetParent(static_cast<HWND>(nullptr));
        return;
    }
    if (parent == parent_ || !parent->self_ || parent->host_ != host_) return;
    // A parent inside the element's own subtree would make the tree a loop.
    for (Element* up = parent; up; up = up->parent_) {
        if (up == this) return;
    }
    Unlink();
    LinkUnder(parent, nullptr);
}

void Element::SetParent(HWND window) {
    if (!self_) return;
    if (!parent_ && parentWindow_ == window) return;
    if (window && window != window_) return;  // only this window can be a window parent
    Unlink();
    LinkUnder(nullptr, window);
}

void Element::LinkUnder(Element* parent, HWND parentWindow) {
    parent_ = parent;
    parentWindow_ = parentWindow;
    AppendTo(OwnList());
    Invalidate();
}

void Element::Unlink() {
    if (!self_ || !host_) return;
    SiblingList& list = OwnList();
    if (list.first != this && !previous_) {  // not in the list: only its own links go
        next_ = nullptr;
        return;
    }
    if (list.first == this) list.first = next_;
    if (list.last == this) list.last = previous_;
    if (previous_) previous_->next_ = next_;
    if (next_) next_->previous_ = previous_;
    previous_ = next_ = nullptr;
}

void Element::ChangeZOrder(ZOrder where, bool skipRepaint) {
    if (!self_) return;
    Unlink();
    if (where == ZOrder::kBottom) {
        PrependTo(OwnList());
    } else {
        AppendTo(OwnList());
    }
    if (!skipRepaint) Invalidate();
}

// ---- Geometry

void Element::SetRect(const RectF& rect) {
    Move(rect.x, rect.y, rect.width, rect.height, true);
}

void Element::Move(std::optional<float> x, std::optional<float> y, std::optional<float> width,
                   std::optional<float> height, bool repaint) {
    if (!self_) return;
    RectF next{x.value_or(rect_.x), y.value_or(rect_.y), width.value_or(rect_.width),
               height.value_or(rect_.height)};
    bool widthChanged = Differs(next.width, rect_.width);
    bool heightChanged = Differs(next.height, rect_.height);
    if (!Differs(next.x, rect_.x) && !Differs(next.y, rect_.y) && !widthChanged && !heightChanged) {
        return;
    }
    previousRect_ = rect_;
    rect_ = next;
    ShiftDescendants(rect_.x - previousRect_.x, rect_.y - previousRect_.y);
    if (widthChanged || (heightChanged && typeId_ != ElementType::kSharedBitmap)) {
        CreateBackingBitmap();
        Deliver(kMsgSizeChanged, static_cast<WPARAM>(rect_.width),
                static_cast<LPARAM>(rect_.height));
        if (!self_) return;
        Redraw();
        if (!self_) return;
    }
    NotifyMoved(repaint && visible_);
}

void Element::ShiftDescendants(float dx, float dy) {
    for (Element* child = children_.first; child; child = child->next_) {
        child->rect_ = Offset(child->rect_, dx, dy);
        child->ShiftDescendants(dx, dy);
    }
}

void Element::NotifyMoved(bool repaint) {
    auto handle = reinterpret_cast<WPARAM>(this);
    // On the window's own thread a busy host cannot become idle while we wait: its answer 0
    // means "the pending refresh covers it". Other threads wait until the host can paint.
    if (IsSameThreadAs(window_)) {
        SendMessageW(window_, kMsgElementMoved, handle, repaint ? 1 : 0);
        return;
    }
    HWND window = window_;
    while (IsWindow(window) && SendMessageW(window, kMsgElementMoved, handle, repaint) != 1) {
        Sleep(1);
    }
}

void Element::SetLeft(int value) {
    if (Differs(static_cast<float>(value), rect_.x)) Move(value, {}, {}, {});
}
void Element::SetTop(int value) {
    if (Differs(static_cast<float>(value), rect_.y)) Move({}, value, {}, {});
}
void Element::SetWidth(int value) {
    if (Differs(static_cast<float>(value), rect_.width)) Move({}, {}, value, {});
}
void Element::SetHeight(int value) {
    if (Differs(static_cast<float>(value), rect_.height)) Move({}, {}, {}, value);
}

// ---- State

void Element::SetVisible(bool visible) {
    if (!self_ || visible == visible_) return;
    visible_ = visible;
    Deliver(visible ? kMsgShown : kMsgHidden, 0, 0);
    Invalidate();
}

void Element::SetDisabled(bool disabled) {
    if (!self_ || disabled == disabled_) return;
    disabled_ = disabled;
    if (host_->Elements().DropFocus(this)) PostElementMessage(kMsgFocusLost, 0, 0);
    PostElementMessage(kMsgMouseLeave, 0, 0);
    Invalidate();
}

void Element::SetFocusable(bool focusable) {
    if (self_) focusable_ = focusable;
}

bool Element::HasFocus() {
    if (!self_) return false;
    int answer = Deliver(kMsgFocusQuery, 0, 0);
    if (answer != -1) return answer == 1;
    return host_ && host_->Elements().Focus() == this;
}

bool Element::HasKeyboardFocus() const {
    return self_ && host_ && host_->Elements().KeyboardFocus() == this;
}

void Element::SetAlpha(int alpha, bool repaint) {
    if (!self_) return;
    alpha_ = std::clamp(alpha, 0, 255);
    Deliver(kMsgAlphaChanged, 0, alpha_);
    if (repaint) Invalidate();
}

// ---- Painting

void Element::Redraw() {
    if (!self_) return;
    Deliver(kMsgPaint, reinterpret_cast<WPARAM>(bitmap_.get()),
            reinterpret_cast<LPARAM>(graphics_.get()));
}

void Element::PostRepaint(const RectF& rect, RepaintMode mode) {
    if (!window_) return;
    // The rectangle travels as a registered copy: the element may be gone by then.
    PayloadToken token = PostedPayloads::AddRect(PayloadWindowOf(window_), rect);
    WPARAM wParam = static_cast<WPARAM>(mode) | kRepaintPayloadToken;
    if (!PostMessageW(window_, kMsgRepaintRect, wParam, static_cast<LPARAM>(token))) {
        PostedPayloads::Discard(token);
    }
}

void Element::Invalidate() {
    if (self_) PostRepaint(rect_, RepaintMode::kNow);
}

void Element::PaintFace(bool present) {
    if (!self_ || !graphics_) return;
    PaintContext context = MakePaintContext();
    if (present) TakeSnapshot();
    ClearBitmap();
    context.snapshot = snapshot_.get();
    BeforePaint(context);
    DrawFace(context);
    AfterPaint(context);
    if (present && self_) StartTransitionOrQueue();
}

void Element::TakeSnapshot() {
    snapshot_.reset();
    if (host_->IsBusy() || !animationFrames_ || !animationInterval_) return;
    StopTransition();
    host_->RepaintNow(rect_);
    GpImage* clone = nullptr;
    if (bitmap_) gp::GdipCloneImage(bitmap_.get(), &clone);
    snapshot_.reset(clone);
}

void Element::DrawFace(PaintContext&) {}
void Element::BeforePaint(PaintContext&) {}
void Element::AfterPaint(PaintContext&) {}

void Element::DrawKeyboardFocusFrame(const RectF& rect) {
    if (HasKeyboardFocus()) DrawFrame(graphics_.get(), rect, kFrameDashed, Argb(0, 120), 1);
}

PaintContext Element::MakePaintContext() const {
    PaintContext context;
    if (host_) host_->FillPaintContext(context);
    context.bitmap = bitmap_.get();
    context.snapshot = snapshot_.get();
    context.framesShown = animationFrame_;
    context.frames = animationFrames_;
    context.rect = rect_;
    return context;
}

void Element::ClearBitmap() {
    if (graphics_) gp::GdipGraphicsClear(graphics_.get(), 0);
}

// ---- Transitions

void Element::SetAnimationFrames(std::optional<int> frames, std::optional<int> interval) {
    if (!self_) return;
    if (frames) animationFrames_ = *frames;
    if (interval) animationInterval_ = *interval;
}

void Element::StopTransition() {
    KillTimer(window_, FadeTimerId(this));
    animationFrame_ = animationFrames_;
}

void Element::StartTransitionOrQueue() {
    if (!visible_ || !redrawEnabled_) return;
    if (animationInterval_ && animationFrames_) {
        animationFrame_ = 0;
        Deliver(kMsgTransitionStart, 0, 0);
        if (self_) SetTimer(window_, FadeTimerId(this), animationInterval_, FadeTimerProc);
    } else {
        PostRepaint(rect_, RepaintMode::kQueue);
    }
}

void Element::AnimationTick() {
    if (!self_) return;
    ++animationFrame_;
    host_->RepaintNow(rect_);
    if (animationFrame_ >= animationFrames_) {
        KillTimer(window_, FadeTimerId(this));
        snapshot_.reset();
        animationFrame_ = 0;
        Deliver(kMsgTransitionEnd, 0, 0);
    }
}

// ---- Messages

int Element::Deliver(UINT message, WPARAM wParam, LPARAM lParam) {
    if (!self_) return 0;
    int result = HandleMessage(message, wParam, lParam);
    if (!self_) return result;
    for (const auto& [bound, handler] : bindings_) {
        bool matches = bound == WM_LBUTTONDBLCLK
                           ? message == WM_LBUTTONDOWN && wParam == kDoubleClickMarker
                           : bound == message;
        if (!matches) continue;
        ElementHandler call = handler;  // the handler may rebind, or destroy the element
        call(ElementEvent{this, message, wParam, lParam, parent_, parentWindow_});
        break;
    }
    return result;
}

int Element::HandleMessage(UINT, WPARAM, LPARAM) {
    return -1;
}

void Element::BindEvent(UINT message, ElementHandler handler) {
    if (!self_) return;
    for (auto& binding : bindings_) {
        if (binding.first == message) {
            binding.second = std::move(handler);
            return;
        }
    }
    bindings_.emplace_back(message, std::move(handler));
}

LRESULT Element::SendElementMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (!self_ || !IsWindow(window_)) return 0;
    PayloadToken token =
        PostedPayloads::AddMessage(PayloadWindowOf(window_), {message, wParam, lParam});
    LRESULT result = SendMessageW(window_, kMsgDeliver, reinterpret_cast<WPARAM>(this),
                                  static_cast<LPARAM>(token));
    PostedPayloads::Discard(token);  // still there when the window was gone
    return result;
}

bool Element::PostElementMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (!self_) return false;
    PayloadToken token =
        PostedPayloads::AddMessage(PayloadWindowOf(window_), {message, wParam, lParam});
    if (PostMessageW(window_, kMsgDeliver, reinterpret_cast<WPARAM>(this),
                     static_cast<LPARAM>(token))) {
        return true;
    }
    PostedPayloads::Discard(token);
    return false;
}

// ---- Tooltip, cursor

void Element::SetTooltip(const std::string& text, bool apply) {
    if (!self_) return;
    tooltip_ = text;
    if (apply) ApplyTooltip(text);
}

void Element::ApplyTooltip(const std::string& text) {
    if (self_) host_->ShowTooltip(text, rect_);
}

void Element::SetCursorId(int systemCursorId) {
    if (self_) cursor_ = SystemCursor(systemCursorId);
}

}  // namespace ui

#include "toolkit/core/element.h"

#include <algorithm>

#include "toolkit/core/host_window.h"
#include "toolkit/core/posted_payloads.h"

namespace ui {

namespace {

UINT_PTR FadeTimerId(const Element* element) {
    return reinterpret_cast<UINT_PTR>(element) + 1;
}

// The fade timer's procedure. The id may outlive its element (a WM_TIMER already queued), so
// the element is looked up in the window's tree before it is touched.
void CALLBACK FadeTimerProc(HWND window, UINT, UINT_PTR id, DWORD) {
    auto* element = reinterpret_cast<Element*>(id - 1);
    HostWindow* host = HostWindow::FromWindow(window);
    if (!host || !host->ContainsElement(element)) {
        KillTimer(window, id);
        return;
    }
    element->AnimationTick();
}

bool IsSameThreadAs(HWND window) {
    return GetWindowThreadProcessId(window, nullptr) == GetCurrentThreadId();
}

}  // namespace

Element::~Element() {
    Destroy();
}

ElementHandle Element::Create(HWND hostWindow, const ElementSpec& spec) {
    if (self_) Destroy();
    HostWindow* host = HostWindow::FromWindow(hostWindow);
    if (!host) return nullptr;
    return CreateIn(hostWindow, host, nullptr, spec);
}

ElementHandle Element::Create(Element* parent, const ElementSpec& spec) {
    if (self_) Destroy();
    if (!parent || !parent->self_ || parent == this) return nullptr;
    HostWindow* registered = HostWindow::FromWindow(parent->window_);
    if (!registered || registered != parent->host_) return nullptr;
    return CreateIn(parent->window_, parent->host_, parent, spec);
}

ElementHandle Element::CreateIn(HWND window, HostWindow* host, Element* parent,
                                const ElementSpec& spec) {
    rect_ = spec.rect;
    cursor_ = spec.cursor;
    if (!cursor_ && spec.cursorId) {
        cursor_ = LoadCursorW(nullptr, MAKEINTRESOURCEW(spec.cursorId));
    }
    tooltip_.clear();
    parent_ = nullptr;
    parentWindow_ = nullptr;
    alpha_ = 255;
    typeId_ = spec.typeId;
    visible_ = spec.visible;
    focusable_ = spec.focusable.value_or(true);
    disabled_ = false;
    redrawEnabled_ = true;
    previous_ = next_ = nullptr;
    window_ = window;
    host_ = host;
    self_ = this;
    if (parent) {
        SetParent(parent);
    } else {
        host->AppendTopLevel(this);
    }
    CreateBackingBitmap();
    animationInterval_ = spec.animationInterval;
    animationFrames_ = spec.animationFrames;
    animationFrame_ = 0;
    transitionStyle_ = spec.transitionStyle;
    auto bitmap = reinterpret_cast<WPARAM>(bitmap_.get());
    auto graphics = reinterpret_cast<LPARAM>(graphics_.get());
    Deliver(kMsgCreate, bitmap, graphics);
    if (self_) Deliver(kMsgPaint, bitmap, graphics);
    return self_;
}

void Element::CreateBackingBitmap() {
    graphics_.reset();
    bool shared = typeId_ == kTypeSharedBitmap;
    bitmap_ = NewArgbBitmap(shared ? 1 : static_cast<int>(rect_.width),
                            shared ? 1 : static_cast<int>(rect_.height));
    graphics_ = NewSmoothGraphics(bitmap_.get());
}

void Element::Destroy() {
    if (!self_ || !host_) return;
    visible_ = false;
    Invalidate();
    while (Element* child = firstChild_) {
        child->Destroy();
        if (firstChild_ == child) child->Unlink();  // not a live child: just drop it
    }
    HandleMessage(kMsgDestroy, 0, 0);
    KillTimer(window_, FadeTimerId(this));
    host_->ForgetElement(this);
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
    typeId_ = 0;
    firstChild_ = lastChild_ = previous_ = next_ = nullptr;
    animationFrame_ = 0;
    graphics_.reset();
    bitmap_.reset();
    host_ = nullptr;
    alpha_ = 0;
    snapshot_.reset();
    animationInterval_ = 0;
    previousRect_ = {};
    animationFrames_ = 0;
    transitionStyle_ = 0;
}

void Element::AppendTo(Element*& head, Element*& tail) {
    previous_ = tail;
    next_ = nullptr;
    if (tail) tail->next_ = this;
    tail = this;
    if (!head) head = this;
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
    AppendTo(parent->firstChild_, parent->lastChild_);
    parent_ = parent;
    parentWindow_ = nullptr;
    Invalidate();
}

void Element::SetParent(HWND window) {
    if (!self_) return;
    if (!parent_ && parentWindow_ == window) return;
    if (window && window != window_) return;  // only this window can be a window parent
    Unlink();
    host_->AppendTopLevel(this);
    parent_ = nullptr;
    parentWindow_ = window;
    Invalidate();
}

void Element::Unlink() {
    if (!self_ || !host_) return;
    Element*& head = parent_ ? parent_->firstChild_ : host_->first_;
    Element*& tail = parent_ ? parent_->lastChild_ : host_->last_;
    if (!parent_) {
        bool listed = false;
        for (Element* e = host_->first_; e && !listed; e = e->next_)
            listed = e == this;
        if (!listed) {
            previous_ = next_ = nullptr;
            return;
        }
    }
    if (head == this) head = next_;
    if (tail == this) tail = previous_;
    if (previous_) previous_->next_ = next_;
    if (next_) next_->previous_ = previous_;
    previous_ = next_ = nullptr;
}

void Element::ChangeZOrder(int where, bool skipRepaint) {
    if (!self_) return;
    Unlink();
    Element*& head = parent_ ? parent_->firstChild_ : host_->first_;
    Element*& tail = parent_ ? parent_->lastChild_ : host_->last_;
    if (where == 2) {
        next_ = head;
        previous_ = nullptr;
        if (head) head->previous_ = this;
        head = this;
        if (!tail) tail = this;
    } else {
        AppendTo(head, tail);
    }
    if (!skipRepaint) Invalidate();
}

void Element::SetRect(const RectF& rect) {
    Move(rect.x, rect.y, rect.width, rect.height, true);
}

void Element::SetVisible(bool visible) {
    if (!self_ || visible == visible_) return;
    visible_ = visible;
    Deliver(visible ? kMsgShown : kMsgHidden, 0, 0);
    Invalidate();
}

void Element::SetDisabled(bool disabled) {
    if (!self_ || disabled == disabled_) return;
    disabled_ = disabled;
    if (host_->focus_ == this) {
        host_->focus_ = nullptr;
        if (host_->keyboardFocus_ == this) host_->keyboardFocus_ = nullptr;
        PostElementMessage(kMsgFocusLost, 0, 0);
    }
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
    return host_ && host_->focus_ == this;
}

void Element::Redraw() {
    if (!self_) return;
    Deliver(kMsgPaint, reinterpret_cast<WPARAM>(bitmap_.get()),
            reinterpret_cast<LPARAM>(graphics_.get()));
}

void Element::PostRepaint(const RectF& rect, WPARAM mode) {
    if (!window_) return;
    // The rectangle travels as a registered copy: the element may be gone by then.
    const RectF* copy = PostedPayloads::NewRect(window_, rect);
    if (!PostMessageW(window_, kMsgRepaintRect, mode | kRepaintOwnedCopy,
                      reinterpret_cast<LPARAM>(copy))) {
        PostedPayloads::Discard(copy);
    }
}

void Element::Invalidate() {
    if (self_) PostRepaint(rect_, kRepaintNow);
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
    if (widthChanged || (heightChanged && typeId_ != kTypeSharedBitmap)) {
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
    for (Element* child = firstChild_; child; child = child->next_) {
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

void Element::SetTooltip(const std::string& text, bool apply) {
    if (!self_) return;
    tooltip_ = text;
    if (apply) ApplyTooltip(text);
}

void Element::ApplyTooltip(const std::string& text) {
    if (self_) host_->ShowTooltip(text, rect_);
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

void Element::SetAlpha(int alpha, bool repaint) {
    if (!self_) return;
    alpha_ = std::clamp(alpha, 0, 255);
    Deliver(kMsgAlphaChanged, 0, alpha_);
    if (repaint) Invalidate();
}

void Element::SetAnimationFrames(std::optional<int> frames, std::optional<int> interval) {
    if (!self_) return;
    if (frames) animationFrames_ = *frames;
    if (interval) animationInterval_ = *interval;
}

LRESULT Element::SendElementMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (!self_ || !IsWindow(window_)) return 0;
    const PackedMessage* block = PostedPayloads::NewMessage(window_, {message, wParam, lParam});
    LRESULT result = SendMessageW(window_, kMsgDeliver, reinterpret_cast<WPARAM>(this),
                                  reinterpret_cast<LPARAM>(block));
    PostedPayloads::Discard(block);  // still there when the window was gone
    return result;
}

bool Element::PostElementMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (!self_) return false;
    const PackedMessage* block = PostedPayloads::NewMessage(window_, {message, wParam, lParam});
    if (PostMessageW(window_, kMsgDeliver, reinterpret_cast<WPARAM>(this),
                     reinterpret_cast<LPARAM>(block))) {
        return true;
    }
    PostedPayloads::Discard(block);
    return false;
}

void Element::SetCursorId(int systemCursorId) {
    if (self_) cursor_ = LoadCursorW(nullptr, MAKEINTRESOURCEW(systemCursorId));
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
void Element::BeforePaint(PaintContext&) {}
void Element::AfterPaint(PaintContext&) {}

PaintContext Element::MakePaintContext() const {
    PaintContext context;
    if (host_) {
        context.hostDc = host_->back_.Dc();
        context.hostGraphics = host_->back_.Graphics();
        context.backgroundDc = host_->background_.Dc();
        context.backgroundGraphics = host_->background_.Graphics();
        if (context.hostGraphics) {
            Gdiplus::RectF bounds;
            gp::GdipGetClipBounds(context.hostGraphics, &bounds);
            context.clipBounds = {bounds.X, bounds.Y, bounds.Width, bounds.Height};
        }
    }
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

void Element::StopTransition() {
    KillTimer(window_, FadeTimerId(this));
    animationFrame_ = animationFrames_;
}

void Element::BeginFacePaint(PaintContext& context, bool present) {
    if (present) {
        snapshot_.reset();
        if (!host_->busy_ && animationFrames_ && animationInterval_) {
            StopTransition();
            host_->QueueRect(rect_, kRepaintNow);
            GpImage* clone = nullptr;
            if (bitmap_) gp::GdipCloneImage(bitmap_.get(), &clone);
            snapshot_.reset(clone);
        }
    }
    ClearBitmap();
    context.snapshot = snapshot_.get();
    BeforePaint(context);
}

void Element::FinishFacePaint(PaintContext& context, bool present) {
    AfterPaint(context);
    if (!present || !self_) return;
    StartTransitionOrQueue();
}

void Element::StartTransitionOrQueue() {
    if (!visible_ || !redrawEnabled_) return;
    if (animationInterval_ && animationFrames_) {
        animationFrame_ = 0;
        Deliver(kMsgTransitionStart, 0, 0);
        if (self_) SetTimer(window_, FadeTimerId(this), animationInterval_, FadeTimerProc);
    } else {
        PostRepaint(rect_, kRepaintQueue);
    }
}

void Element::AnimationTick() {
    if (!self_) return;
    ++animationFrame_;
    host_->QueueRect(rect_, kRepaintNow);
    if (animationFrame_ >= animationFrames_) {
        KillTimer(window_, FadeTimerId(this));
        snapshot_.reset();
        animationFrame_ = 0;
        Deliver(kMsgTransitionEnd, 0, 0);
    }
}

}  // namespace ui

#include "toolkit/core/element.h"

#include <algorithm>
#include <utility>

#include "toolkit/core/accessible_element.h"
#include "toolkit/core/accessible_window.h"
#include "toolkit/core/element_host.h"
#include "toolkit/core/element_links.h"
#include "toolkit/core/element_mailbox.h"
#include "toolkit/core/shapes.h"
#include "toolkit/core/text_convert.h"

namespace ui {

namespace {

bool IsSameThreadAs(HWND window) {
    return GetWindowThreadProcessId(window, nullptr) == GetCurrentThreadId();
}

HCURSOR SystemCursor(int id) {
    return LoadCursorW(nullptr, MAKEINTRESOURCEW(id));
}

}  // namespace

Element::~Element() {
    Destroy();
}

// ---- Life cycle

ElementHandle Element::Create(const ElementParent& parent, const ElementSpec& spec) {
    Destroy();
    if (parent.element) {
        Element* p = parent.element;
        if (!p->IsCreated() || p == this) return nullptr;
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
    alpha_ = 255;
    typeId_ = spec.type;
    visible_ = spec.visible;
    focusable_ = spec.focusable;
    redrawEnabled_ = true;
    window_ = window;
    host_ = host;
    generation_ = NextGeneration();
    host->Links().Adopt(*this, parent);
    if (parent) Invalidate();
    CreateBackingBitmap();
    transition_.Begin(window, ElementTimerId(generation_, ElementTimer::kFade),
                      spec.animationInterval, spec.animationFrames, spec.transition);
    auto bitmap = reinterpret_cast<WPARAM>(bitmap_.get());
    auto graphics = reinterpret_cast<LPARAM>(graphics_.get());
    if (Notify(kMsgCreate, bitmap, graphics)) Deliver(kMsgPaint, bitmap, graphics);
    return Handle();
}

void Element::CreateBackingBitmap() {
    graphics_.reset();
    bool shared = typeId_ == ElementType::kSharedBitmap;
    bitmap_ = NewArgbBitmap(shared ? 1 : Width(), shared ? 1 : Height());
    graphics_ = NewSmoothGraphics(bitmap_.get());
}

void Element::Destroy() {
    if (!IsCreated()) return;
    visible_ = false;
    Invalidate();
    DestroyChildren();
    HandleMessage(kMsgDestroy, 0, 0);
    if (accessible_) std::exchange(accessible_, nullptr)->Detach();
    StopTimer();
    transition_.End();
    host_->Links().Release(*this);
    ResetFields();
}

// Children first, each list from first to last.
void Element::DestroyChildren() {
    while (Element* child = children_.first) {
        child->Destroy();
        if (children_.first == child) host_->Links().Unlink(*child);  // not created: just drop it
    }
}

void Element::ResetFields() {
    window_ = nullptr;
    generation_ = 0;
    parent_ = nullptr;
    parentWindow_ = nullptr;
    visible_ = disabled_ = focusable_ = redrawEnabled_ = false;
    cursor_ = nullptr;
    bindings_.clear();
    rect_ = {};
    tooltip_.clear();
    name_.clear();
    accessibleName_.clear();
    accessibleRole_.reset();
    typeId_ = ElementType::kPlain;
    children_ = {};
    previous_ = next_ = nullptr;
    graphics_.reset();
    bitmap_.reset();
    host_ = nullptr;
    alpha_ = 0;
    previousRect_ = {};
}

// ---- Tree

void Element::SetParent(Element* parent) {
    if (!parent) {
        SetParent(static_cast<HWND>(nullptr));
        return;
    }
    // An element that is not created has no host, so no parent matches it.
    if (parent == parent_ || !parent->IsCreated() || parent->host_ != host_) return;
    // A parent inside the element's own subtree would make the tree a loop.
    for (Element* up = parent; up; up = up->parent_) {
        if (up == this) return;
    }
    host_->Links().Reparent(*this, parent);
    parentWindow_ = nullptr;
    Invalidate();
}

void Element::SetParent(HWND window) {
    if (!parent_ && parentWindow_ == window) return;  // also when not created: both are 0
    if (window && window != window_) return;          // only this window can be a window parent
    host_->Links().Reparent(*this, nullptr);
    parentWindow_ = window;
    Invalidate();
}

void Element::Unlink() {
    if (IsCreated()) host_->Links().Unlink(*this);
}

void Element::ChangeZOrder(ZOrder where, bool skipRepaint) {
    if (!IsCreated()) return;
    host_->Links().Restack(*this, where);
    if (!skipRepaint) Invalidate();
}

// ---- Geometry

void Element::SetRect(const RectF& rect) {
    Move(rect.x, rect.y, rect.width, rect.height, true);
}

void Element::Move(std::optional<float> x, std::optional<float> y, std::optional<float> width,
                   std::optional<float> height, bool repaint) {
    if (!IsCreated()) return;
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
        auto w = static_cast<WPARAM>(rect_.width);
        auto h = static_cast<LPARAM>(rect_.height);
        if (!Notify(kMsgSizeChanged, w, h)) return;
        if (!Notify(kMsgPaint, reinterpret_cast<WPARAM>(bitmap_.get()),
                    reinterpret_cast<LPARAM>(graphics_.get()))) {
            return;
        }
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
    if (!IsCreated() || visible == visible_) return;
    visible_ = visible;
    if (Notify(visible ? kMsgShown : kMsgHidden)) Invalidate();
}

void Element::SetDisabled(bool disabled) {
    if (!IsCreated() || disabled == disabled_) return;
    disabled_ = disabled;
    Announce(EVENT_OBJECT_STATECHANGE);
    if (host_->Links().DropFocus(this)) PostElementMessage(kMsgFocusLost, 0, 0);
    PostElementMessage(kMsgMouseLeave, 0, 0);
    Invalidate();
}

void Element::SetFocusable(bool focusable) {
    focusable_ = focusable;
}

bool Element::HasFocus() {
    int answer = Deliver(kMsgFocusQuery, 0, 0);
    if (answer != -1) return answer == 1;
    return IsCreated() && host_->Links().Focus() == this;
}

bool Element::HasKeyboardFocus() const {
    return IsCreated() && host_->Links().KeyboardFocus() == this;
}

void Element::SetAlpha(int alpha, bool repaint) {
    alpha_ = std::clamp(alpha, 0, 255);
    if (Notify(kMsgAlphaChanged, 0, alpha_) && repaint) Invalidate();
}

// ---- Painting

void Element::Redraw() {
    Deliver(kMsgPaint, reinterpret_cast<WPARAM>(bitmap_.get()),
            reinterpret_cast<LPARAM>(graphics_.get()));
}

void Element::Invalidate() {
    if (IsCreated()) host_->Invalidate(rect_);
}

void Element::PaintFace(bool present) {
    if (!IsCreated() || !graphics_) return;
    PaintContext context = MakePaintContext();
    if (present) TakeSnapshot();
    ClearBitmap();
    context.snapshot = transition_.Snapshot();
    BeforePaint(context);
    DrawFace(context);
    AfterPaint(context);
    if (present && IsCreated()) StartTransitionOrQueue();
}

// The old look stays for the fade; a fade still running ends at once.
void Element::TakeSnapshot() {
    transition_.DropSnapshot();
    if (host_->IsBusy() || !transition_.Fades()) return;
    transition_.Stop();
    host_->RepaintNow(rect_);
    transition_.KeepSnapshot(bitmap_.get());
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
    context.snapshot = transition_.Snapshot();
    context.framesShown = transition_.Frame();
    context.frames = transition_.Frames();
    context.rect = rect_;
    return context;
}

void Element::ClearBitmap() {
    if (graphics_) gp::GdipGraphicsClear(graphics_.get(), 0);
}

// ---- Transitions

void Element::SetAnimationFrames(std::optional<int> frames, std::optional<int> interval) {
    if (frames) transition_.SetFrames(*frames);
    if (interval) transition_.SetInterval(*interval);
}

void Element::StartTransitionOrQueue() {
    if (!visible_ || !redrawEnabled_) return;
    if (!transition_.Fades()) {
        host_->Invalidate(rect_);
        return;
    }
    transition_.Rewind();
    if (Notify(kMsgTransitionStart)) transition_.StartTimer();
}

void Element::AnimationTick() {
    if (!IsCreated()) return;
    bool last = transition_.Advance();
    host_->RepaintNow(rect_);
    if (!last) return;
    transition_.Finish();
    Deliver(kMsgTransitionEnd, 0, 0);
}

// ---- Timer

void Element::StartTimer(UINT periodMs) {
    if (IsCreated()) SetTimer(window_, TimerId(), periodMs, nullptr);
}

void Element::StopTimer() {
    if (IsCreated()) KillTimer(window_, TimerId());
}

// ---- Messages

int Element::Deliver(UINT message, WPARAM wParam, LPARAM lParam) {
    if (!IsCreated()) return 0;
    int result = HandleMessage(message, wParam, lParam);
    if (IsCreated()) RunBinding(message, wParam, lParam);
    return result;
}

bool Element::Notify(UINT message, WPARAM wParam, LPARAM lParam) {
    Deliver(message, wParam, lParam);
    return IsCreated();
}

void Element::RunBinding(UINT message, WPARAM wParam, LPARAM lParam) {
    for (const auto& [bound, handler] : bindings_) {
        bool matches = bound == WM_LBUTTONDBLCLK
                           ? message == WM_LBUTTONDOWN && wParam == kDoubleClickMarker
                           : bound == message;
        if (!matches) continue;
        ElementHandler call = handler;  // the handler may rebind, or destroy the element
        call(ElementEvent{this, message, wParam, lParam, parent_, parentWindow_});
        return;
    }
}

void Element::BindEvent(UINT message, ElementHandler handler) {
    if (!IsCreated()) return;
    for (auto& binding : bindings_) {
        if (binding.first == message) {
            binding.second = std::move(handler);
            return;
        }
    }
    bindings_.emplace_back(message, std::move(handler));
}

LRESULT Element::SendElementMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    return SendToElement({window_, this, generation_}, message, wParam, lParam);
}

bool Element::PostElementMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    return IsCreated() && PostToElement({window_, this, generation_}, message, wParam, lParam);
}

// ---- Tooltip, cursor

void Element::SetTooltip(const std::string& text, bool apply) {
    tooltip_ = text;
    Announce(EVENT_OBJECT_NAMECHANGE);
    if (apply) ApplyTooltip(text);
}

void Element::ApplyTooltip(const std::string& text) {
    if (IsCreated()) host_->UpdateTooltip(text, rect_);
}

void Element::SetCursorId(int systemCursorId) {
    cursor_ = SystemCursor(systemCursorId);
}

// ---- Accessibility

AccessibleFacts Element::Accessibility() const {
    AccessibleFacts facts;
    DescribeForAccessibility(facts);
    if (!accessibleName_.empty()) facts.name = ToWide(accessibleName_);
    if (accessibleRole_) facts.role = *accessibleRole_;
    if (facts.role == AccessibleRole::kLink) facts.action = AccessibleAction::kJump;
    return facts;
}

void Element::DescribeForAccessibility(AccessibleFacts& facts) const {
    if (typeId_ == ElementType::kPicture) facts.role = AccessibleRole::kGraphic;
    if (typeId_ == ElementType::kLabel) {
        facts.role = AccessibleRole::kStaticText;
        facts.readOnly = true;
    }
    facts.name = ToWide(tooltip_);
}

void Element::SetAccessibleName(const std::string& name) {
    accessibleName_ = name;
    Announce(EVENT_OBJECT_NAMECHANGE);
}

AccessibleElement* Element::Accessible() {
    if (!IsCreated()) return nullptr;
    if (!accessible_) accessible_ = new AccessibleElement(*this);
    return accessible_;
}

bool Element::SetAccessibleValue(const std::wstring&) {
    return false;
}

void Element::Announce(DWORD event) const {
    RaiseAccessibleEvent(*this, event);
}

}  // namespace ui

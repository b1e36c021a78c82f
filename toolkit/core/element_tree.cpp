#include "toolkit/core/element_tree.h"

#include "toolkit/core/accessible_window.h"

#include <algorithm>

namespace ui {

namespace {

bool Contains(const RectF& r, float x, float y) {
    // The right and bottom edges belong to whatever lies behind.
    return x - r.x >= -kGeometryEpsilon && y - r.y >= -kGeometryEpsilon &&
           !(x - r.Right() >= -kGeometryEpsilon) && !(y - r.Bottom() >= -kGeometryEpsilon);
}

Element* HitInList(Element* last, float x, float y) {
    for (Element* e = last; e; e = e->PreviousSibling()) {
        if (!e->Visible() || e->Disabled() || !Contains(e->Rect(), x, y)) continue;
        Element* child = HitInList(e->LastChild(), x, y);
        return child ? child : e;
    }
    return nullptr;
}

WPARAM UpperCase(WPARAM c) {
    return reinterpret_cast<WPARAM>(CharUpperW(reinterpret_cast<LPWSTR>(c & 0xFFFF)));
}

}  // namespace

// ---- Lists and liveness

SiblingList& ElementTree::ListOf(const Element& element) {
    return element.parent_ ? element.parent_->children_ : topLevel_;
}

void ElementTree::Append(Element& element) {
    SiblingList& list = ListOf(element);
    element.previous_ = list.last;
    element.next_ = nullptr;
    if (list.last) list.last->next_ = &element;
    list.last = &element;
    if (!list.first) list.first = &element;
}

void ElementTree::Prepend(Element& element) {
    SiblingList& list = ListOf(element);
    element.next_ = list.first;
    element.previous_ = nullptr;
    if (list.first) list.first->previous_ = &element;
    list.first = &element;
    if (!list.last) list.last = &element;
}

void ElementTree::Unlink(Element& element) {
    SiblingList& list = ListOf(element);
    if (list.first != &element && !element.previous_) {  // not in the list: only its own links go
        element.next_ = nullptr;
        return;
    }
    if (list.first == &element) list.first = element.next_;
    if (list.last == &element) list.last = element.previous_;
    if (element.previous_) element.previous_->next_ = element.next_;
    if (element.next_) element.next_->previous_ = element.previous_;
    element.previous_ = element.next_ = nullptr;
}

void ElementTree::Adopt(Element& element, Element* parent) {
    live_[&element] = element.Generation();
    byGeneration_[element.Generation()] = &element;
    element.parent_ = parent;
    Append(element);
}

void ElementTree::Release(Element& element) {
    Forget(&element);
    Unlink(element);
}

void ElementTree::Reparent(Element& element, Element* parent) {
    Unlink(element);
    element.parent_ = parent;
    Append(element);
}

void ElementTree::Restack(Element& element, ZOrder where) {
    Unlink(element);
    if (where == ZOrder::kBottom) {
        Prepend(element);
    } else {
        Append(element);
    }
}

bool ElementTree::IsLive(const Element* element, ElementGeneration generation) const {
    auto found = live_.find(element);
    return found != live_.end() && found->second == generation;
}

Element* ElementTree::TimerOwner(UINT_PTR id) const {
    auto found = byGeneration_.find(GenerationOfTimer(id));
    return found != byGeneration_.end() ? found->second : nullptr;
}

void ElementTree::Forget(const Element* element) {
    auto found = live_.find(element);
    if (found != live_.end()) {
        byGeneration_.erase(found->second);
        live_.erase(found);
    }
    if (pressed_ == element) ClearPressed();
    if (focus_ == element) focus_ = nullptr;
    if (hover_ == element) hover_ = nullptr;
    if (keyboardFocus_ == element) keyboardFocus_ = nullptr;
    // An accelerator must not outlive its element: Alt+key would click freed memory.
    std::erase_if(accelerators_, [element](const auto& entry) { return entry.first == element; });
}

void ElementTree::DestroyAll() {
    while (Element* element = topLevel_.first) {
        element->Destroy();
        if (topLevel_.first == element) topLevel_.first = element->NextSibling();  // not linked
    }
    topLevel_ = {};
    live_.clear();
    byGeneration_.clear();
    focus_ = keyboardFocus_ = hover_ = nullptr;
    ClearPressed();
    accelerators_.clear();
}

Element* ElementTree::HitTest(float x, float y) const {
    return HitInList(topLevel_.last, x, y);
}

void ElementTree::Capture(Element* element) {
    pressed_ = element;
    captured_ = true;
}

void ElementTree::ClearPressed() {
    pressed_ = nullptr;
    captured_ = false;
}

bool ElementTree::CanTakeFocus(const Element* e) const {
    return IsLive(e) && !e->Disabled() && e->Visible() && e->Focusable() &&
           e->TypeId() != ElementType::kNoTabFocus;
}

void ElementTree::SetFocusElement(Element* element, bool fromKeyboard) {
    if (!CanTakeFocus(element) || element == focus_) return;
    Element* old = TakeFocus(element, fromKeyboard);
    if (old) old->Deliver(kMsgFocusLost, 0, reinterpret_cast<LPARAM>(element));
    if (IsLive(element)) element->Deliver(kMsgFocusGained, 0, reinterpret_cast<LPARAM>(old));
}

Element* ElementTree::TakeFocus(Element* element, bool fromKeyboard) {
    Element* old = focus_;
    focus_ = element;
    keyboardFocus_ = fromKeyboard ? element : nullptr;
    if (element && element != old) RaiseAccessibleEvent(*element, EVENT_OBJECT_FOCUS);
    return old;
}

bool ElementTree::DropFocus(const Element* element) {
    if (focus_ != element) return false;
    focus_ = nullptr;
    if (keyboardFocus_ == element) keyboardFocus_ = nullptr;
    return true;
}

Element* ElementTree::NextTabStop() const {
    Element* start = focus_ ? focus_ : topLevel_.first;
    if (!start) return nullptr;
    while (start->ParentElement())
        start = start->ParentElement();
    // Only top-level elements take part, in list order, wrapping round; no reverse order.
    Element* candidate = start;
    do {
        candidate = candidate->NextSibling() ? candidate->NextSibling() : topLevel_.first;
        if (CanTakeFocus(candidate)) return candidate != focus_ ? candidate : nullptr;
    } while (candidate != start);
    return nullptr;
}

void ElementTree::RegisterAccelerator(Element* element, int character) {
    if (!element) return;
    std::erase_if(accelerators_, [element](const auto& entry) { return entry.first == element; });
    if (character != 0) accelerators_.emplace_back(element, character);
}

int ElementTree::AcceleratorOf(const Element* element) const {
    for (const auto& [owner, character] : accelerators_) {
        if (owner == element) return character;
    }
    return 0;
}

Element* ElementTree::AcceleratorFor(WPARAM character) const {
    for (const auto& [element, key] : accelerators_) {
        if (UpperCase(static_cast<WPARAM>(key)) != UpperCase(character)) continue;
        if (element->Visible() && !element->Disabled()) return element;
    }
    return nullptr;
}

}  // namespace ui

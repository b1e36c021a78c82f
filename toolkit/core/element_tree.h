// The elements of one host window: the sibling lists, which elements are alive (and in which
// generation), the hover, pressed and focus elements, and the Alt-key accelerators. Elements are
// adopted when they are created and released when they are destroyed, so a destroyed element
// simply stops being the focus (or anything else) and liveness is one lookup, not a walk of the
// tree.
#pragma once

#include <windows.h>

#include <unordered_map>
#include <utility>
#include <vector>

#include "toolkit/core/element.h"
#include "toolkit/core/element_links.h"

namespace ui {

class ElementTree final : public ElementLinks {
  public:
    ElementTree() = default;
    ElementTree(const ElementTree&) = delete;
    ElementTree& operator=(const ElementTree&) = delete;

    // ---- Lists and liveness
    Element* First() const { return topLevel_.first; }
    Element* Last() const { return topLevel_.last; }
    void Adopt(Element& element, Element* parent) override;
    void Release(Element& element) override;
    void Reparent(Element& element, Element* parent) override;
    void Restack(Element& element, ZOrder where) override;
    void Unlink(Element& element) override;
    // Whether `element` is a created element of this tree (a handle from a message may name one
    // that is gone), and, with a generation, that very creation of it.
    bool IsLive(const Element* element) const { return element && live_.contains(element); }
    bool IsLive(const Element* element, ElementGeneration generation) const;
    // The live element whose timer has this id (its own or its fade's), or 0.
    Element* TimerOwner(UINT_PTR id) const;
    // Destroys every top-level element (each destroys its children first) and clears the rest.
    void DestroyAll();

    // The topmost, deepest visible and enabled element at a client point, or 0.
    Element* HitTest(float x, float y) const;

    // ---- Mouse
    Element* Hover() const { return hover_; }
    void SetHover(Element* element) { hover_ = element; }
    Element* Pressed() const { return pressed_; }
    bool Captured() const { return captured_; }
    void Capture(Element* element);
    void ReleaseCapture() { captured_ = false; }
    void ClearPressed();

    // ---- Focus
    Element* Focus() const override { return focus_; }
    Element* KeyboardFocus() const override { return keyboardFocus_; }
    bool CanTakeFocus(const Element* element) const;
    // Moves the focus to `element` (ignored when it cannot take it or has it already): the old
    // focus element gets 0x2801, the new one 0x2800.
    void SetFocusElement(Element* element, bool fromKeyboard);
    // Only the state change, for callers that deliver the messages themselves; returns the old
    // focus element.
    Element* TakeFocus(Element* element, bool fromKeyboard);
    bool DropFocus(const Element* element) override;
    // The next top-level element that takes the focus from Tab, or 0 when the focus stays.
    Element* NextTabStop() const;

    // ---- Accelerators: at most one character per element; 0 removes the entry.
    void RegisterAccelerator(Element* element, int character);
    int AcceleratorOf(const Element* element) const;
    // The first visible, enabled element whose character matches, ignoring case.
    Element* AcceleratorFor(WPARAM character) const;

  private:
    SiblingList& ListOf(const Element& element);
    void Append(Element& element);
    void Prepend(Element& element);
    // Drops every reference to an element that is being destroyed.
    void Forget(const Element* element);

    SiblingList topLevel_;
    std::unordered_map<const Element*, ElementGeneration> live_;
    std::unordered_map<ElementGeneration, Element*> byGeneration_;
    Element* focus_ = nullptr;
    Element* keyboardFocus_ = nullptr;
    Element* hover_ = nullptr;
    Element* pressed_ = nullptr;
    bool captured_ = false;
    std::vector<std::pair<Element*, int>> accelerators_;
};

}  // namespace ui

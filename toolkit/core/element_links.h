// What an element itself asks of the tree it lives in: to be linked into a sibling list and out
// again, to be known as alive while it is created, and whether it holds the focus. ElementTree
// implements it; an element reaches it through its host, so that the element does not depend on
// the tree, which depends on it.
#pragma once

#include "toolkit/core/element_identity.h"

namespace ui {

class Element;
enum class ZOrder : int;

class ElementLinks {
  public:
    // Registers a created element as alive and appends it to `parent`'s children (0: to the top
    // level).
    virtual void Adopt(Element& element, Element* parent) = 0;
    // Unlinks and forgets an element that is being destroyed: from now on it is no longer the
    // hover, pressed or focus element, and nothing reaches it through its handle or generation.
    virtual void Release(Element& element) = 0;
    // Takes the element out of its list and appends it to `parent`'s (0: to the top level).
    virtual void Reparent(Element& element, Element* parent) = 0;
    // Moves the element within its list: to the head (bottom) or the tail (top).
    virtual void Restack(Element& element, ZOrder where) = 0;
    // Takes the element out of its list only.
    virtual void Unlink(Element& element) = 0;

    virtual Element* Focus() const = 0;
    virtual Element* KeyboardFocus() const = 0;
    // Clears the focus if `element` holds it; returns whether it did.
    virtual bool DropFocus(const Element* element) = 0;

  protected:
    ~ElementLinks() = default;
};

}  // namespace ui

// The accessible object of a host window's client area: the root a screen reader gets when it
// asks the window (WM_GETOBJECT, OBJID_CLIENT). Its children are the window's visible elements
// in tab order (each followed by its own visible children); a child id is a position in that
// list, counted from 1, and names the element's own object (accessible_element.h). The host
// makes it at the first question and cuts it off when the window goes.
//
// The events a screen reader listens to are raised here too, with the element's child id.
#pragma once

#include <vector>

#include "toolkit/core/accessible_object.h"
#include "toolkit/core/accessible_traits.h"

namespace ui {

class Element;
class ElementTree;

class AccessibleWindow final : public AccessibleObject {
  public:
    AccessibleWindow(HWND window, ElementTree& tree, AccessibleRole role);
    // The answer to WM_GETOBJECT (0 where the system cannot pass objects).
    LRESULT Answer(WPARAM wParam);
    // The window is going: cut off, and the host's reference dropped.
    void Detach();

    // The visible elements in tab order, and an element's child id (0: none of them).
    std::vector<Element*> Children() const;
    long ChildIdOf(const Element& element) const;

  protected:
    AccessibleObject* Target(const VARIANT& child) override;
    HRESULT Parent(IDispatch** parent) override;
    long ChildCount() override;
    AccessibleObject* Child(long id) override;
    std::wstring Name() override;
    long Role() override;
    long State() override;
    HRESULT Focus(VARIANT* focus) override;
    RECT ScreenRect() override;
    HRESULT Navigate(long direction, VARIANT* end) override;
    HRESULT HitTest(POINT screen, VARIANT* child) override;

  private:
    ElementTree* tree_;
    AccessibleRole role_;
};

// The root object of the element's window (0 when the element has no host window).
AccessibleWindow* AccessibleRootOf(const Element& element);
// Tells listeners about an element (nothing when it is not shown in its window's object).
void RaiseAccessibleEvent(const Element& element, DWORD event);
// Tells listeners about a window as a whole (a menu popping up, a dialog starting).
void RaiseWindowEvent(HWND window, DWORD event);

}  // namespace ui

// The accessible object of one element: what a screen reader or an automation tool reads of it
// (role, name, states, place on the screen, value, default action) and what it may do with it
// (focus it, set its value, invoke its default action). The element makes it at the first
// question and cuts it off when it is destroyed; from then on it answers "disconnected".
#pragma once

#include "toolkit/core/accessible_object.h"
#include "toolkit/core/accessible_traits.h"

namespace ui {

class Element;

class AccessibleElement final : public AccessibleObject {
  public:
    explicit AccessibleElement(Element& element);
    // The element is being destroyed: cut off, and the element's reference dropped.
    void Detach();

  protected:
    HRESULT Parent(IDispatch** parent) override;
    std::wstring Name() override;
    HRESULT Value(BSTR* value) override;
    std::wstring Description() override;
    long Role() override;
    long State() override;
    std::wstring KeyboardShortcut() override;
    HRESULT Focus(VARIANT* focus) override;
    std::wstring DefaultAction() override;
    HRESULT Select(long flags) override;
    RECT ScreenRect() override;
    HRESULT Navigate(long direction, VARIANT* end) override;
    HRESULT HitTest(POINT screen, VARIANT* child) override;
    HRESULT DoDefaultAction() override;
    HRESULT SetValue(const std::wstring& text) override;

  private:
    Element* element_;
};

// Where the element is on the screen.
RECT ElementScreenRect(const Element& element);

// The platform's role and default action for the toolkit's.
long PlatformRole(AccessibleRole role);
std::wstring DefaultActionName(const AccessibleFacts& facts);

}  // namespace ui

#include "toolkit/core/accessible_element.h"

#include <cmath>

#include "toolkit/core/accessible_window.h"
#include "toolkit/core/element.h"
#include "toolkit/core/element_host.h"
#include "toolkit/core/element_tree.h"
#include "toolkit/core/oleacc_api.h"
#include "toolkit/core/text_convert.h"

namespace ui {

long PlatformRole(AccessibleRole role) {
    switch (role) {
        case AccessibleRole::kPushButton:
            return ROLE_SYSTEM_PUSHBUTTON;
        case AccessibleRole::kCheckButton:
            return ROLE_SYSTEM_CHECKBUTTON;
        case AccessibleRole::kEditableText:
            return ROLE_SYSTEM_TEXT;
        case AccessibleRole::kStaticText:
            return ROLE_SYSTEM_STATICTEXT;
        case AccessibleRole::kLink:
            return ROLE_SYSTEM_LINK;
        case AccessibleRole::kGraphic:
            return ROLE_SYSTEM_GRAPHIC;
        case AccessibleRole::kProgressBar:
            return ROLE_SYSTEM_PROGRESSBAR;
        case AccessibleRole::kMenuItem:
            return ROLE_SYSTEM_MENUITEM;
        case AccessibleRole::kMenuPopup:
            return ROLE_SYSTEM_MENUPOPUP;
        case AccessibleRole::kDialog:
            return ROLE_SYSTEM_DIALOG;
        case AccessibleRole::kClient:
            break;
    }
    return ROLE_SYSTEM_CLIENT;
}

// The names a Chinese system gives these actions.
std::wstring DefaultActionName(const AccessibleFacts& facts) {
    switch (facts.action) {
        case AccessibleAction::kPress:
            return L"按下";
        case AccessibleAction::kToggle:
            return facts.checked ? L"取消选中" : L"选中";
        case AccessibleAction::kJump:
            return L"跳转";
        case AccessibleAction::kNone:
            break;
    }
    return {};
}

RECT ElementScreenRect(const Element& element) {
    const RectF r = element.Rect();
    RECT rect{static_cast<LONG>(std::lround(r.x)), static_cast<LONG>(std::lround(r.y)),
              static_cast<LONG>(std::lround(r.x + r.width)),
              static_cast<LONG>(std::lround(r.y + r.height))};
    MapWindowPoints(element.Window(), nullptr, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

AccessibleElement::AccessibleElement(Element& element) : element_(&element) {
    SetWindow(element.Window());
}

void AccessibleElement::Detach() {
    element_ = nullptr;
    DisconnectAndRelease();
}

HRESULT AccessibleElement::Parent(IDispatch** parent) {
    AccessibleWindow* root = AccessibleRootOf(*element_);
    if (!root) return S_FALSE;
    root->AddRef();
    *parent = root;
    return S_OK;
}

std::wstring AccessibleElement::Name() {
    return element_->Accessibility().name;
}

HRESULT AccessibleElement::Value(BSTR* value) {
    const AccessibleFacts facts = element_->Accessibility();
    if (!facts.value) return DISP_E_MEMBERNOTFOUND;
    if (facts.protectedText) return E_ACCESSDENIED;
    *value = acc::AllocString(*facts.value);
    return *value ? S_OK : E_OUTOFMEMORY;
}

// The tooltip, where it says more than the name.
std::wstring AccessibleElement::Description() {
    const std::wstring tooltip = ToWide(element_->Tooltip());
    return tooltip != element_->Accessibility().name ? tooltip : std::wstring();
}

long AccessibleElement::Role() {
    return PlatformRole(element_->Accessibility().role);
}

long AccessibleElement::State() {
    const AccessibleFacts facts = element_->Accessibility();
    const ElementTree& tree = element_->Host()->Elements();
    long state = 0;
    if (tree.CanTakeFocus(element_)) state |= STATE_SYSTEM_FOCUSABLE;
    if (tree.Focus() == element_) state |= STATE_SYSTEM_FOCUSED;
    if (facts.checked) state |= STATE_SYSTEM_CHECKED;
    if (element_->Disabled()) state |= STATE_SYSTEM_UNAVAILABLE;
    if (!element_->Visible()) state |= STATE_SYSTEM_INVISIBLE;
    if (tree.Hover() == element_) state |= STATE_SYSTEM_HOTTRACKED;
    if (facts.readOnly) state |= STATE_SYSTEM_READONLY;
    if (facts.protectedText) state |= STATE_SYSTEM_PROTECTED;
    if (facts.role == AccessibleRole::kLink) state |= STATE_SYSTEM_LINKED;
    return state;
}

std::wstring AccessibleElement::KeyboardShortcut() {
    const int character = element_->Host()->Elements().AcceleratorOf(element_);
    if (character == 0) return {};
    return L"Alt+" +
           std::wstring(1, static_cast<wchar_t>(towupper(static_cast<wint_t>(character))));
}

HRESULT AccessibleElement::Focus(VARIANT* focus) {
    if (element_->Host()->Elements().Focus() != element_) return S_FALSE;
    SetChildId(focus, CHILDID_SELF);
    return S_OK;
}

std::wstring AccessibleElement::DefaultAction() {
    return DefaultActionName(element_->Accessibility());
}

HRESULT AccessibleElement::Select(long flags) {
    if (!(flags & SELFLAG_TAKEFOCUS)) return DISP_E_MEMBERNOTFOUND;
    ElementTree& tree = element_->Host()->Elements();
    if (!tree.CanTakeFocus(element_)) return S_FALSE;
    tree.SetFocusElement(element_, true);
    return S_OK;
}

RECT AccessibleElement::ScreenRect() {
    return ElementScreenRect(*element_);
}

// Next and previous among the window's children, as objects.
HRESULT AccessibleElement::Navigate(long direction, VARIANT* end) {
    if (direction == NAVDIR_FIRSTCHILD || direction == NAVDIR_LASTCHILD) return S_FALSE;
    if (direction != NAVDIR_NEXT && direction != NAVDIR_PREVIOUS) return DISP_E_MEMBERNOTFOUND;
    AccessibleWindow* root = AccessibleRootOf(*element_);
    if (!root) return S_FALSE;
    const std::vector<Element*> shown = root->Children();
    const long id = root->ChildIdOf(*element_);
    const long next = id == 0 ? 0 : id + (direction == NAVDIR_NEXT ? 1 : -1);
    if (next < 1 || next > static_cast<long>(shown.size())) return S_FALSE;
    SetObject(end, shown[static_cast<std::size_t>(next - 1)]->Accessible());
    return S_OK;
}

HRESULT AccessibleElement::HitTest(POINT screen, VARIANT* child) {
    const RECT rect = ScreenRect();
    if (screen.x < rect.left || screen.x >= rect.right || screen.y < rect.top ||
        screen.y >= rect.bottom) {
        return S_FALSE;
    }
    SetChildId(child, CHILDID_SELF);
    return S_OK;
}

// Posted: the click runs when the window next takes its messages, as a key press's would,
// and never inside the caller's call (a click may open a box or run a whole install).
HRESULT AccessibleElement::DoDefaultAction() {
    if (element_->Accessibility().action == AccessibleAction::kNone) {
        return DISP_E_MEMBERNOTFOUND;
    }
    if (element_->Disabled() || !element_->Visible()) return E_FAIL;
    const BOOL posted =
        PostMessageW(element_->Window(), kMsgAccessibleAction, reinterpret_cast<WPARAM>(element_),
                     static_cast<LPARAM>(element_->Generation()));
    return posted ? S_OK : E_FAIL;
}

HRESULT AccessibleElement::SetValue(const std::wstring& text) {
    const AccessibleFacts facts = element_->Accessibility();
    if (!facts.value) return DISP_E_MEMBERNOTFOUND;
    if (facts.readOnly || element_->Disabled()) return E_ACCESSDENIED;
    return element_->SetAccessibleValue(text) ? S_OK : E_FAIL;
}

}  // namespace ui

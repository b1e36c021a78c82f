#include "toolkit/core/accessible_window.h"

#include "toolkit/core/accessible_element.h"
#include "toolkit/core/element_tree.h"
#include "toolkit/core/host_window.h"
#include "toolkit/core/oleacc_api.h"

namespace ui {
namespace {

// A visible element and then its visible children, depth first.
void CollectShown(Element* first, std::vector<Element*>& out) {
    for (Element* element = first; element; element = element->NextSibling()) {
        if (!element->IsCreated() || !element->Visible()) continue;
        out.push_back(element);
        CollectShown(element->FirstChild(), out);
    }
}

std::vector<Element*> ShownElements(const ElementTree& tree) {
    std::vector<Element*> shown;
    CollectShown(tree.First(), shown);
    return shown;
}

long ChildIdIn(const ElementTree& tree, const Element& element) {
    const std::vector<Element*> shown = ShownElements(tree);
    for (std::size_t i = 0; i < shown.size(); ++i)
        if (shown[i] == &element) return static_cast<long>(i + 1);
    return 0;
}

bool RectHolds(const RECT& rect, POINT point) {
    return point.x >= rect.left && point.x < rect.right && point.y >= rect.top &&
           point.y < rect.bottom;
}

}  // namespace

AccessibleWindow::AccessibleWindow(HWND window, ElementTree& tree, AccessibleRole role)
    : tree_(&tree), role_(role) {
    SetWindow(window);
}

LRESULT AccessibleWindow::Answer(WPARAM wParam) {
    return acc::ResultFromObject(__uuidof(IAccessible), wParam, static_cast<IAccessible*>(this));
}

void AccessibleWindow::Detach() {
    tree_ = nullptr;
    DisconnectAndRelease();
}

std::vector<Element*> AccessibleWindow::Children() const {
    return tree_ ? ShownElements(*tree_) : std::vector<Element*>();
}

long AccessibleWindow::ChildIdOf(const Element& element) const {
    return tree_ ? ChildIdIn(*tree_, element) : 0;
}

AccessibleObject* AccessibleWindow::Target(const VARIANT& child) {
    if (child.vt == VT_I4 && child.lVal != CHILDID_SELF) return Child(child.lVal);
    return AccessibleObject::Target(child);
}

HRESULT AccessibleWindow::Parent(IDispatch** parent) {
    return acc::ObjectFromWindow(Window(), static_cast<DWORD>(OBJID_WINDOW), __uuidof(IDispatch),
                                 reinterpret_cast<void**>(parent));
}

long AccessibleWindow::ChildCount() {
    return static_cast<long>(Children().size());
}

AccessibleObject* AccessibleWindow::Child(long id) {
    const std::vector<Element*> shown = Children();
    if (id < 1 || id > static_cast<long>(shown.size())) return nullptr;
    return shown[static_cast<std::size_t>(id - 1)]->Accessible();
}

std::wstring AccessibleWindow::Name() {
    std::wstring title(static_cast<std::size_t>(GetWindowTextLengthW(Window())) + 1, L'\0');
    title.resize(static_cast<std::size_t>(
        GetWindowTextW(Window(), title.data(), static_cast<int>(title.size()))));
    return title;
}

long AccessibleWindow::Role() {
    return PlatformRole(role_);
}

long AccessibleWindow::State() {
    long state = STATE_SYSTEM_FOCUSABLE;
    if (GetFocus() == Window()) state |= STATE_SYSTEM_FOCUSED;
    if (!IsWindowVisible(Window())) state |= STATE_SYSTEM_INVISIBLE;
    return state;
}

HRESULT AccessibleWindow::Focus(VARIANT* focus) {
    if (const Element* element = tree_->Focus()) {
        if (const long id = ChildIdOf(*element)) {
            SetChildId(focus, id);
            return S_OK;
        }
    }
    if (GetFocus() != Window()) return S_FALSE;
    SetChildId(focus, CHILDID_SELF);
    return S_OK;
}

RECT AccessibleWindow::ScreenRect() {
    RECT rect{};
    GetClientRect(Window(), &rect);
    MapWindowPoints(Window(), nullptr, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

HRESULT AccessibleWindow::Navigate(long direction, VARIANT* end) {
    const long count = ChildCount();
    if (count == 0 || (direction != NAVDIR_FIRSTCHILD && direction != NAVDIR_LASTCHILD)) {
        return S_FALSE;  // the window's siblings belong to the window's own object
    }
    SetChildId(end, direction == NAVDIR_FIRSTCHILD ? 1 : count);
    return S_OK;
}

// The topmost element under the point: the list runs in painting order, the last on top.
HRESULT AccessibleWindow::HitTest(POINT screen, VARIANT* child) {
    const std::vector<Element*> shown = Children();
    for (std::size_t i = shown.size(); i-- > 0;) {
        if (RectHolds(ElementScreenRect(*shown[i]), screen)) {
            SetChildId(child, static_cast<long>(i + 1));
            return S_OK;
        }
    }
    if (!RectHolds(ScreenRect(), screen)) return S_FALSE;
    SetChildId(child, CHILDID_SELF);
    return S_OK;
}

AccessibleWindow* AccessibleRootOf(const Element& element) {
    HostWindow* host = HostWindow::FromWindow(element.Window());
    return host ? host->AccessibleRoot() : nullptr;
}

void RaiseAccessibleEvent(const Element& element, DWORD event) {
    if (!element.IsCreated() || !element.Host()) return;
    if (const long id = ChildIdIn(element.Host()->Elements(), element)) {
        NotifyWinEvent(event, element.Window(), OBJID_CLIENT, id);
    }
}

void RaiseWindowEvent(HWND window, DWORD event) {
    NotifyWinEvent(event, window, OBJID_CLIENT, CHILDID_SELF);
}

}  // namespace ui

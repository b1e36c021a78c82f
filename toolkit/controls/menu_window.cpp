#include "toolkit/controls/menu_window.h"

#include "toolkit/controls/menu_painter.h"
#include "toolkit/core/accessible_window.h"
#include "toolkit/core/message_loops.h"
#include "toolkit/core/window_class.h"

namespace ui {

namespace {

// Posted to a menu window: open the submenu of the row in wParam. Posted rather than opened at
// once, so that the submenu's loop does not run inside the input routing of a click or a key.
constexpr UINT kMsgOpenSubmenu = WM_APP + 0x0401;
constexpr UINT kHoverDelayMs = 500;
constexpr int kSlideMs = 100;

RECT WorkArea() {
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    return work;
}

template <typename T>
T* Property(HWND window, const wchar_t* name) {
    return static_cast<T*>(GetPropW(window, name));
}

// The owner's background colour, or the toolkit's default one when it has no host.
ARGB OwnerColour(HWND owner) {
    HostWindow* host = HostWindow::FromWindow(owner);
    COLORREF colour = host ? host->Settings().backgroundColor : HostSettings{}.backgroundColor;
    return ArgbFromColorRef(colour, 255);
}

// The owner's element under the mouse: it takes the focus and is the WM_COMMAND's lParam.
Element* FocusOwnerElementUnderMouse(HWND owner) {
    HostWindow* host = HostWindow::FromWindow(owner);
    if (!host) return nullptr;
    POINT mouse{};
    GetCursorPos(&mouse);
    ScreenToClient(owner, &mouse);
    Element* element =
        host->Elements().HitTest(static_cast<float>(mouse.x), static_cast<float>(mouse.y));
    if (element) SendMessageW(owner, kMsgFocusGained, 0, reinterpret_cast<LPARAM>(element));
    return element;
}

bool IsLetterOrDigit(WPARAM key) {
    return (key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z');
}

}  // namespace

MenuWindow::MenuWindow(const PopupMenu& menu)
    : items_(menu.Items()),
      size_(MeasureMenu(menu.Items(), menu.Width())),
      onPopup_(menu.OnPopupRoutine()),
      painter_(menu.PainterRoutine()),
      hoverColor_(menu.HoverColor()) {
    for (MenuItem& item : items_) {
        if (!item.hoverColor) item.hoverColor = hoverColor_;
    }
}

// ---- Showing

void MenuWindow::ShowAt(const PopupMenu& menu, HWND owner, POINT at) {
    if (at.x == 0 && at.y == 0) GetCursorPos(&at);
    MenuWindow shown(menu);
    POINT origin = PlaceAtPoint(at, shown.size_, WorkArea());
    if (!shown.Build(owner, nullptr, origin, AnimationKind::kNone)) return;
    shown.Run(AnimationKind::kNone, true);
}

void MenuWindow::ShowBeside(const PopupMenu& menu, HWND parent) {
    HWND root = static_cast<HWND>(GetPropW(parent, kMenuRootProperty));
    if (!root || !IsWindow(parent)) return;  // only a menu window can be a parent
    auto* row = Property<Element>(parent, kMenuActiveRowProperty);
    RectF rowRect = row ? row->Rect() : RectF{8, 8, 0, kMenuRowHeight};
    RECT parentRect{};
    GetWindowRect(parent, &parentRect);
    MenuWindow shown(menu);
    SubmenuPlace place =
        PlaceBesideRow(parentRect, static_cast<int>(rowRect.y), static_cast<int>(rowRect.Bottom()),
                       shown.size_, WorkArea());
    AnimationKind show = place.toTheLeft ? AnimationKind::kSlideMirrored : AnimationKind::kSlide;
    AnimationKind close = place.toTheLeft ? AnimationKind::kSlide : AnimationKind::kSlideMirrored;
    if (!shown.Build(parent, root, place.origin, close)) return;
    SetPropW(parent, kMenuSubProperty, shown.window_);
    shown.Run(show, false);
}

bool MenuWindow::Build(HWND owner, HWND root, POINT origin, AnimationKind closeKind) {
    window_ = CreateHostWindow({.parent = owner,
                                .title = kMenuWindowTitle,
                                .x = origin.x,
                                .y = origin.y,
                                .width = size_.width,
                                .height = size_.height,
                                .style = WS_POPUP,
                                .exStyle = WS_EX_TOPMOST | WS_EX_TOOLWINDOW});
    if (!window_) return false;
    root_ = root ? root : window_;
    accent_ = hoverColor_ ? hoverColor_ : OwnerColour(GetParent(root_));
    SetProperties(root_);
    if (!root) {
        SetPropW(window_, kMenuEventProperty, FocusOwnerElementUnderMouse(owner));
    }
    AttachHost(closeKind);
    BuildRows();
    return IsWindow(window_) != FALSE;
}

void MenuWindow::SetProperties(HWND root) {
    SetPropW(window_, kWindowFlagsProperty, reinterpret_cast<HANDLE>(kMenuWindowFlag));
    SetPropW(window_, kMenuRootProperty, root);
    SetPropW(window_, kMenuHoverColorProperty,
             reinterpret_cast<HANDLE>(static_cast<UINT_PTR>(hoverColor_)));
}

void MenuWindow::AttachHost(AnimationKind closeKind) {
    HostCallbacks& callbacks = host_.Callbacks();
    if (painter_) {
        callbacks.backgroundPaint = painter_;
    } else {
        callbacks.backgroundPaint = [accent = accent_](HWND, GpGraphics* g, int w, int h) {
            PaintMenuBackground(g, w, h, accent);
        };
    }
    callbacks.rawMessage = [this](HWND, UINT message, WPARAM wParam, LPARAM lParam) {
        return OnRawMessage(message, wParam, lParam);
    };
    AttachOptions options;
    options.settings.animationKind = closeKind;
    options.settings.draggable = false;
    options.captionFlags = 0;
    options.resizable = false;
    options.shadowWindow = false;
    host_.SetAccessibleRole(AccessibleRole::kMenuPopup);
    host_.Attach(window_, options);
}

void MenuWindow::BuildRows() {
    for (const MenuRowPlace& place : PlaceMenuRows(items_, size_.width)) {
        MenuRowEvents& events = *this;
        auto row = std::make_unique<MenuRow>(events, items_[place.item], accent_);
        if (row->Create(window_, place.rect)) rows_.push_back(std::move(row));
    }
}

void MenuWindow::Run(AnimationKind showKind, bool atPoint) {
    if (onPopup_) onPopup_(window_, atPoint);
    if (!IsWindow(window_)) return;
    host_.Show(showKind, kSlideMs);
    if (IsWindow(window_)) SetForegroundWindow(window_);
    RaiseWindowEvent(window_, EVENT_SYSTEM_MENUPOPUPSTART);
    // The menu lets every message through: a click elsewhere deactivates it, which closes it.
    if (!RunModalLoop(window_) && IsWindow(window_)) DestroyWindow(window_);
    RaiseWindowEvent(window_, EVENT_SYSTEM_MENUPOPUPEND);
}

// ---- The shared hook of menu windows

LRESULT MenuWindow::OnRawMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_ACTIVATE:
            if (LOWORD(wParam) == WA_INACTIVE) OnDeactivated(reinterpret_cast<HWND>(lParam));
            break;
        case WM_KEYDOWN:
            OnKeyDown(wParam, lParam);
            break;
        case WM_DESTROY:
            RemoveProperties();
            break;
        case kMsgOpenSubmenu: {
            auto* row = reinterpret_cast<MenuRow*>(wParam);
            if (host_.Elements().IsLive(row)) OpenSubmenu(*row);
            return 0;
        }
        default:
            break;
    }
    return -1;
}

// Activating any window that is not a menu closes the whole chain: a click elsewhere.
void MenuWindow::OnDeactivated(HWND activated) {
    if (activated && GetPropW(activated, kMenuRootProperty)) return;
    PostMessageW(root_, WM_CLOSE, 0, 0);
}

void MenuWindow::OnKeyDown(WPARAM key, LPARAM lParam) {
    switch (key) {
        case VK_ESCAPE:
            Close();
            return;
        case VK_LEFT:
            if (IsSubmenu()) Close();
            return;
        case VK_UP:
        case VK_DOWN:
            MoveHighlight(key == VK_DOWN ? 1 : -1);
            return;
        case VK_RIGHT:
            if (active_ && active_->OpensSubmenu()) PostOpenSubmenu(*active_);
            return;
        default:
            // A letter or digit chooses the item it is the accelerator of, as with Alt. Other
            // keys are not characters: F5 (0x74, "t") must not choose the item of "&T".
            if (IsLetterOrDigit(key)) SendMessageW(window_, WM_SYSCHAR, key, lParam);
            return;
    }
}

void MenuWindow::RemoveProperties() {
    HWND parent = GetParent(window_);
    if (IsSubmenu() && GetPropW(parent, kMenuSubProperty) == window_) {
        RemovePropW(parent, kMenuSubProperty);
    }
    for (const wchar_t* name : {kMenuRootProperty, kMenuSubProperty, kMenuActiveRowProperty,
                                kMenuEventProperty, kMenuHoverColorProperty}) {
        RemovePropW(window_, name);
    }
    RemovePropW(window_, kWindowFlagsProperty);
}

void MenuWindow::Close() {
    if (IsSubmenu()) SetForegroundWindow(GetParent(window_));
    PostMessageW(window_, WM_CLOSE, 0, 0);
}

// ---- Rows

void MenuWindow::RowEntered(MenuRow& row) {
    if (row.IsSeparator()) return;
    Highlight(&row, false);
    if (row.OpensSubmenu()) row.StartTimer(kHoverDelayMs);
}

void MenuWindow::RowLeft(MenuRow& row) {
    // A submenu opens only while the mouse rests on its row.
    row.StopTimer();
    if (&row != active_ || &row == submenuRow_) return;
    row.SetHighlighted(false);
    active_ = nullptr;
    RemovePropW(window_, kMenuActiveRowProperty);
    host_.Elements().DropFocus(&row);
}

void MenuWindow::RowClicked(MenuRow& row) {
    if (!row.Selectable()) return;
    if (row.OpensSubmenu()) {
        row.StopTimer();
        PostOpenSubmenu(row);
        return;
    }
    Choose(row);
}

void MenuWindow::RowTimer(MenuRow& row) {
    row.StopTimer();
    if (row.OpensSubmenu() && row.Selectable()) OpenSubmenu(row);
}

void MenuWindow::Highlight(MenuRow* row, bool fromKeyboard) {
    if (submenuRow_ && submenuRow_ != row) CloseSubmenu();
    if (row == active_) return;
    // The row of an open submenu stays lit until the submenu is gone.
    if (active_ && active_ != submenuRow_) active_->SetHighlighted(false);
    active_ = row;
    if (!row) return;
    SetPropW(window_, kMenuActiveRowProperty, static_cast<Element*>(row));
    row->SetHighlighted(true);
    host_.Elements().SetFocusElement(row, fromKeyboard);  // Enter and Space choose it
}

void MenuWindow::MoveHighlight(int step) {
    std::vector<MenuRow*> selectable;
    for (const auto& row : rows_) {
        if (row->Selectable()) selectable.push_back(row.get());
    }
    if (selectable.empty()) return;
    int count = static_cast<int>(selectable.size());
    int next = step > 0 ? 0 : count - 1;
    for (int i = 0; i < count; ++i) {
        if (selectable[i] == active_) next = (i + step + count) % count;
    }
    Highlight(selectable[next], true);
}

void MenuWindow::PostOpenSubmenu(MenuRow& row) {
    PostMessageW(window_, kMsgOpenSubmenu, reinterpret_cast<WPARAM>(&row), 0);
}

void MenuWindow::OpenSubmenu(MenuRow& row) {
    PopupMenu* submenu = row.Item().submenu;
    if (!submenu || submenuRow_ == &row) return;
    Highlight(&row, false);
    submenuRow_ = &row;
    submenu->PopupSub(window_);  // returns when the submenu is gone
    // The whole chain may have closed meanwhile; this object lives until our own loop ends.
    submenuRow_ = nullptr;
    if (!host_.Elements().IsLive(&row)) return;
    if (&row != active_) row.SetHighlighted(false);
}

void MenuWindow::CloseSubmenu() {
    HWND sub = static_cast<HWND>(GetPropW(window_, kMenuSubProperty));
    if (!sub || !IsWindow(sub)) return;
    SetForegroundWindow(window_);  // the chain stays open
    PostMessageW(sub, WM_CLOSE, 0, 0);
}

void MenuWindow::Choose(const MenuRow& row) {
    const MenuItem item = row.Item();  // the owner may change the menu while it handles this
    ShowWindow(window_, SW_HIDE);
    HWND owner = GetParent(root_);
    auto event = reinterpret_cast<LPARAM>(GetPropW(root_, kMenuEventProperty));
    SetForegroundWindow(owner);
    PostMessageW(root_, WM_CLOSE, 0, 0);
    if (item.report == MenuReport::kCommand) {
        SendMessageW(owner, WM_COMMAND, static_cast<WPARAM>(item.id), event);
    } else if (item.routine) {
        item.routine();
    }
}

}  // namespace ui

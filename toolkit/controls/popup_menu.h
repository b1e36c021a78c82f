// The toolkit's own pop-up menu: a list of items (icon, text, colours) shown in a small topmost
// toolkit window titled "Ui_Surface_Menu" at the mouse or at a point. It runs its own message
// loop until an item is chosen, Escape is pressed or another window is activated, and reports
// the chosen item to the owner window as WM_COMMAND (wParam = the item's id, lParam = the
// owner's element that was under the mouse when the menu opened) or by calling the item's
// routine. Items may open submenus, which slide out beside their row after the mouse rests on
// it for half a second, at a click, or with the Right key.
//
// Keys inside a menu: Up and Down move the highlight, Enter (or Space) chooses the highlighted
// item, Right opens its submenu, Left and Escape close a submenu, Escape closes the menu; a letter
// or digit chooses the item whose text holds "&" before it, as does Alt with it.
//
// The object only holds the items; it is not an element, outlives every showing and may be
// shown again. Copies are deep, except that a submenu item names the same submenu object.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "toolkit/core/gdiplus_api.h"
#include "toolkit/core/shapes.h"
#include "toolkit/core/text_render.h"

namespace ui {

class PopupMenu;

// Item states. Any other value (the edit menu's 1, say) shows the item like kMenuItemNormal.
enum MenuItemState : int {
    kMenuItemDisabled = -1,
    kMenuItemNormal = 0,
    kMenuItemChecked = 4,  // the toolkit's check mark instead of the icon
    kMenuItemHidden = 5,   // no row at all
};

enum class MenuItemKind : int { kCommand = 0, kSeparator = 1, kSubmenu = 2 };

// How a chosen command item is reported.
enum class MenuReport : int {
    kRoutine = 0,  // the item's routine is called (an item without one does nothing)
    kCommand = 1,  // WM_COMMAND is sent to the owner window
};

// One item, as AddItem takes it and the menu keeps it; everything but the text is optional.
struct MenuItem {
    std::string text;                // program text; "&" marks the accelerator
    std::vector<std::uint8_t> icon;  // encoded 16 x 16 picture (PNG), or empty
    int state = kMenuItemNormal;     // a MenuItemState
    MenuItemKind kind = MenuItemKind::kCommand;
    MenuReport report = MenuReport::kRoutine;
    int id = 0;                     // the WM_COMMAND wParam
    std::function<void()> routine;  // called instead, with MenuReport::kRoutine
    PopupMenu* submenu = nullptr;   // what a kSubmenu item opens; not owned
    ARGB textColor = Argb(0, 210);
    TextEffect effect = TextEffect::kNone;
    ARGB effectColor = 0;  // 0: a colour that contrasts with the text colour
    ARGB hoverColor = 0;   // of the highlighted row's text; 0: the menu's hover colour
};

class PopupMenu {
  public:
    // (menu window, opened at a point rather than as a submenu); called after the window is
    // built and before it is shown.
    using OnPopup = std::function<void(HWND menuWindow, bool atPoint)>;
    // Paints the menu window's background: (window, graphics, width, height).
    using Painter = std::function<void(HWND, GpGraphics*, int width, int height)>;

    PopupMenu() = default;
    virtual ~PopupMenu() = default;
    PopupMenu(const PopupMenu&) = default;
    PopupMenu& operator=(const PopupMenu&) = default;

    // ---- Showing. Both return when the menu window is gone; a choice has been reported by
    // then. A WM_QUIT that arrives meanwhile closes the menu and is posted again.
    // At (x, y) in screen pixels, or at the mouse when both are 0; near the right or bottom edge
    // of the work area the menu opens to the left of or above the point.
    void PopupAt(HWND owner, int x = 0, int y = 0);
    // As the submenu of a shown menu window, beside its highlighted row.
    void PopupSub(HWND parentMenuWindow);

    // ---- Items; positions count from 1. Invalid positions change nothing and read as 0 or
    // empty.
    void AddItem(const MenuItem& item);
    bool RemoveItem(int position);
    void ClearItems();
    int ItemCount() const { return static_cast<int>(items_.size()); }
    bool IsValidPosition(int position) const;
    int ItemState(int position) const;
    void SetItemState(int position, int state);
    std::string ItemText(int position) const;
    void SetItemText(int position, const std::string& text);
    std::vector<std::uint8_t> ItemIcon(int position) const;
    void SetItemIcon(int position, const std::vector<std::uint8_t>& icon);
    const std::vector<MenuItem>& Items() const { return items_; }

    // ---- The whole menu
    // 0 (or less): as wide as the widest text plus 50; 1 to 49 count as 50.
    int Width() const { return width_; }
    void SetWidth(int width) { width_ = width; }
    // The colour of highlighted rows and of the icon column (0: the owner window's background
    // colour). When nonzero it also becomes the hover colour of every item that has none.
    ARGB HoverColor() const { return hoverColor_; }
    void SetHoverColor(ARGB colour);
    void SetOnPopup(OnPopup routine) { onPopup_ = std::move(routine); }
    const OnPopup& OnPopupRoutine() const { return onPopup_; }
    // 0: the default look (a light rounded panel with the icon column).
    void SetPainter(Painter painter) { painter_ = std::move(painter); }
    const Painter& PainterRoutine() const { return painter_; }

  private:
    MenuItem* ItemAt(int position);
    const MenuItem* ItemAt(int position) const;

    std::vector<MenuItem> items_;
    int width_ = 0;
    OnPopup onPopup_;
    Painter painter_;
    ARGB hoverColor_ = 0;
};

}  // namespace ui

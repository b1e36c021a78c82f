// One showing of a pop-up menu: its window and host, its rows, the highlight, the keys, the
// choice, and the loop that runs until the window is gone.
//
// The menu windows of one chain know each other through window properties:
//   Ui_Wnd_Flags      1: a menu window
//   Ui_Surface_Host   the chain's root menu window (the root names itself)
//   Ui_Surface_Sub    on a menu window: its open submenu window
//   Ui_Surface_Act    the highlighted row (the element a submenu opens beside)
//   Ui_Surface_Event  on the root: the owner's element under the mouse when the menu opened
//   Ui_Surface_pWnd   the menu's hover colour
#pragma once

#include <windows.h>

#include <memory>
#include <vector>

#include "toolkit/controls/menu_geometry.h"
#include "toolkit/controls/menu_row.h"
#include "toolkit/controls/popup_menu.h"
#include "toolkit/core/host_window.h"

namespace ui {

inline constexpr wchar_t kMenuRootProperty[] = L"Ui_Surface_Host";
inline constexpr wchar_t kMenuSubProperty[] = L"Ui_Surface_Sub";
inline constexpr wchar_t kMenuActiveRowProperty[] = L"Ui_Surface_Act";
inline constexpr wchar_t kMenuEventProperty[] = L"Ui_Surface_Event";
inline constexpr wchar_t kMenuHoverColorProperty[] = L"Ui_Surface_pWnd";
// The value of Ui_Wnd_Flags on menu windows.
inline constexpr UINT_PTR kMenuWindowFlag = 1;
inline constexpr char kMenuWindowTitle[] = "Ui_Surface_Menu";

class MenuWindow : private MenuRowEvents {
  public:
    // Both return when the window is gone.
    static void ShowAt(const PopupMenu& menu, HWND owner, POINT at);
    static void ShowBeside(const PopupMenu& menu, HWND parentMenuWindow);

  private:
    explicit MenuWindow(const PopupMenu& menu);
    MenuWindow(const MenuWindow&) = delete;
    MenuWindow& operator=(const MenuWindow&) = delete;

    // Window, properties, host and rows; false when the window could not be made.
    bool Build(HWND owner, HWND root, POINT origin, AnimationKind closeKind);
    void SetProperties(HWND root);
    void AttachHost(AnimationKind closeKind);
    void BuildRows();
    // Shows the window, runs the loop and makes sure the window is gone afterwards.
    void Run(AnimationKind showKind, bool atPoint);

    // ---- The shared hook of menu windows
    LRESULT OnRawMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void OnDeactivated(HWND activated);
    void OnKeyDown(WPARAM key, LPARAM lParam);
    void RemoveProperties();

    // ---- Rows
    void RowEntered(MenuRow& row) override;
    void RowLeft(MenuRow& row) override;
    void RowClicked(MenuRow& row) override;
    void RowTimer(MenuRow& row) override;
    void Highlight(MenuRow* row, bool fromKeyboard);
    void MoveHighlight(int step);
    void PostOpenSubmenu(MenuRow& row);
    void OpenSubmenu(MenuRow& row);
    void CloseSubmenu();
    void Choose(const MenuRow& row);
    // Escape or Left: a submenu hands the activation back to its parent first.
    void Close();
    bool IsSubmenu() const { return root_ != window_; }

    std::vector<MenuItem> items_;
    MenuSize size_;
    PopupMenu::OnPopup onPopup_;
    PopupMenu::Painter painter_;
    ARGB hoverColor_ = 0;
    ARGB accent_ = 0;
    HWND window_ = nullptr;
    HWND root_ = nullptr;
    HostWindow host_;
    std::vector<std::unique_ptr<MenuRow>> rows_;
    MenuRow* active_ = nullptr;
    MenuRow* submenuRow_ = nullptr;  // the row whose submenu is open
};

}  // namespace ui

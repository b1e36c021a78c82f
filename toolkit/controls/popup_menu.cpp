#include "toolkit/controls/popup_menu.h"

#include "toolkit/controls/menu_window.h"

namespace ui {

void PopupMenu::PopupAt(HWND owner, int x, int y) {
    MenuWindow::ShowAt(*this, owner, {x, y});
}

void PopupMenu::PopupSub(HWND parentMenuWindow) {
    MenuWindow::ShowBeside(*this, parentMenuWindow);
}

void PopupMenu::AddItem(const MenuItem& item) {
    items_.push_back(item);
}

bool PopupMenu::RemoveItem(int position) {
    if (!IsValidPosition(position)) return false;
    items_.erase(items_.begin() + (position - 1));
    return true;
}

void PopupMenu::ClearItems() {
    items_.clear();
}

bool PopupMenu::IsValidPosition(int position) const {
    return position >= 1 && position <= ItemCount();
}

MenuItem* PopupMenu::ItemAt(int position) {
    return IsValidPosition(position) ? &items_[position - 1] : nullptr;
}

const MenuItem* PopupMenu::ItemAt(int position) const {
    return IsValidPosition(position) ? &items_[position - 1] : nullptr;
}

int PopupMenu::ItemState(int position) const {
    const MenuItem* item = ItemAt(position);
    return item ? item->state : 0;
}

void PopupMenu::SetItemState(int position, int state) {
    if (MenuItem* item = ItemAt(position)) item->state = state;
}

std::string PopupMenu::ItemText(int position) const {
    const MenuItem* item = ItemAt(position);
    return item ? item->text : std::string();
}

void PopupMenu::SetItemText(int position, const std::string& text) {
    if (MenuItem* item = ItemAt(position)) item->text = text;
}

std::vector<std::uint8_t> PopupMenu::ItemIcon(int position) const {
    const MenuItem* item = ItemAt(position);
    return item ? item->icon : std::vector<std::uint8_t>();
}

void PopupMenu::SetItemIcon(int position, const std::vector<std::uint8_t>& icon) {
    if (MenuItem* item = ItemAt(position)) item->icon = icon;
}

void PopupMenu::SetHoverColor(ARGB colour) {
    hoverColor_ = colour;
    if (!colour) return;
    for (MenuItem& item : items_) {
        if (!item.hoverColor) item.hoverColor = colour;
    }
}

}  // namespace ui

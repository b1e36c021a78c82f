#include "toolkit/controls/menu_geometry.h"

#include <algorithm>

#include "toolkit/core/text_convert.h"

namespace ui {

namespace {

constexpr int kMenuPadding = 8;  // above the first row and below the last
constexpr int kTextMargin = 50;
constexpr int kArrowWidth = 15;
constexpr int kSeparatorLeft = 33;

bool IsShown(const MenuItem& item) {
    return item.state != kMenuItemHidden;
}

// The width of a text in the screen DC's font.
int ScreenTextWidth(const std::string& text) {
    std::wstring wide = ToWide(text);
    HDC screen = GetDC(nullptr);
    SIZE extent{};
    GetTextExtentPoint32W(screen, wide.c_str(), static_cast<int>(wide.size()), &extent);
    ReleaseDC(nullptr, screen);
    return extent.cx;
}

}  // namespace

MenuSize MeasureMenu(const std::vector<MenuItem>& items, int width) {
    bool measure = width <= 0;
    MenuSize size{measure ? 0 : std::max(width, kMenuMinimumWidth), 2 * kMenuPadding};
    bool arrow = false;
    for (const MenuItem& item : items) {
        if (!IsShown(item)) continue;
        if (item.kind == MenuItemKind::kSeparator) {
            size.height += kMenuSeparatorHeight;
            continue;
        }
        size.height += kMenuRowHeight;
        arrow = arrow || item.kind == MenuItemKind::kSubmenu;
        if (measure) size.width = std::max(size.width, ScreenTextWidth(item.text) + kTextMargin);
    }
    // A menu without rows still gets a window a person could see.
    size.width = std::max(size.width, kMenuMinimumWidth);
    if (arrow) size.width += kArrowWidth;
    return size;
}

std::vector<MenuRowPlace> PlaceMenuRows(const std::vector<MenuItem>& items, int menuWidth) {
    std::vector<MenuRowPlace> rows;
    float y = kMenuPadding;
    float w = static_cast<float>(menuWidth);
    for (std::size_t i = 0; i < items.size(); ++i) {
        const MenuItem& item = items[i];
        if (!IsShown(item)) continue;
        if (item.kind == MenuItemKind::kSeparator) {
            rows.push_back(
                {static_cast<int>(i), {kSeparatorLeft, y, w - 40, kMenuSeparatorHeight}});
            y += kMenuSeparatorHeight;
        } else {
            rows.push_back({static_cast<int>(i), {kMenuPadding, y, w - 16, kMenuRowHeight}});
            y += kMenuRowHeight;
        }
    }
    return rows;
}

POINT PlaceAtPoint(POINT point, MenuSize size, const RECT& workArea) {
    if (point.x + size.width - 5 > workArea.right) point.x -= size.width;
    if (point.y + size.height > workArea.bottom) point.y -= size.height;
    return point;
}

SubmenuPlace PlaceBesideRow(const RECT& parent, int rowTop, int rowBottom, MenuSize size,
                            const RECT& workArea) {
    SubmenuPlace place{{parent.right - 10, parent.top + rowTop - 7}, false};
    if (place.origin.x + size.width > workArea.right) {
        place.origin.x = parent.left - size.width + 10;
        place.toTheLeft = true;
    }
    // The panel inside the window's margin of 7 ends level with the row.
    if (place.origin.y + size.height > workArea.bottom) {
        place.origin.y = parent.top + rowBottom + 7 - size.height;
    }
    return place;
}

}  // namespace ui

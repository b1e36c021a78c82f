// The size of a pop-up menu's window, where its rows go, and where the window opens: at a point
// or beside the highlighted row of its parent, kept on the work area's right and bottom side.
#pragma once

#include <windows.h>

#include <vector>

#include "toolkit/controls/popup_menu.h"
#include "toolkit/core/geometry.h"

namespace ui {

inline constexpr int kMenuRowHeight = 22;
inline constexpr int kMenuSeparatorHeight = 3;
inline constexpr int kMenuMinimumWidth = 50;

struct MenuSize {
    int width = 0;
    int height = 0;
};

// Rows of 22 pixels and separators of 3, plus 8 above and below. The width is the menu's own
// (at least 50) or, when it has none, the widest text measured with the screen's font plus 50;
// a submenu arrow takes 15 more.
MenuSize MeasureMenu(const std::vector<MenuItem>& items, int width);

struct MenuRowPlace {
    int item = 0;  // index into the items
    RectF rect;    // in window pixels
};
// One row per item that is not hidden, from y = 8 down: separators at x 33 and 40 narrower than
// the window, other rows at x 8 and 16 narrower.
std::vector<MenuRowPlace> PlaceMenuRows(const std::vector<MenuItem>& items, int menuWidth);

// At `point`, or to its left when the window would pass the work area's right edge (the window's
// transparent margin of 5 may) and above it when it would pass the bottom.
POINT PlaceAtPoint(POINT point, MenuSize size, const RECT& workArea);

struct SubmenuPlace {
    POINT origin{};
    bool toTheLeft = false;
};
// Overlapping the parent's right edge by 10, its first row level with the parent's row; to the
// left of the parent when it would pass the right edge, and moved up to end with the row when it
// would pass the bottom.
SubmenuPlace PlaceBesideRow(const RECT& parent, int rowTop, int rowBottom, MenuSize size,
                            const RECT& workArea);

}  // namespace ui

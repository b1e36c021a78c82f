// Message codes elements receive and send: Win32 codes reused inside the toolkit plus the
// toolkit's own block from 0x2800.
#pragma once

#include <windows.h>

namespace ui {

enum ElementMessage : UINT {
    kMsgCreate = 1,
    kMsgDestroy = 2,
    kMsgPaint = 15,
    kMsgTimer = 275,
    kMsgFocusGained = 0x2800,  // lParam: element that lost it
    kMsgFocusLost = 0x2801,    // lParam: element that gained it
    kMsgMouseEnter = 0x2802,
    kMsgMouseLeave = 0x2803,
    kMsgClick = 0x2804,
    kMsgSizeChanged = 0x2805,  // wParam width, lParam height
    kMsgHidden = 0x2806,
    kMsgShown = 0x2807,
    kMsgCustomTransition = 0x2808,  // lParam: PaintContext*; 1 or more = drawn by the element
    kMsgPressNotFocusable = 0x280A,
    kMsgRegisterAccelerator = 0x280B,  // to the window: wParam element, lParam character
    kMsgDisabledAlpha = 0x280E,        // anything but -1 = compose a disabled element at full alpha
    kMsgRepaintRect = 0x2810,          // to the window: wParam mode, lParam rectangle
    kMsgElementMoved = 0x2811,         // to the window: wParam element, lParam repaint flag
    kMsgDeliver = 0x2812,              // to the window: wParam element, lParam payload token
    kMsgFocusQuery = 0x2814,
    kMsgAlphaChanged = 0x2815,  // lParam: alpha
    kMsgStateRepaint = 0x2816,
    kMsgTransitionStart = 0x2817,
    kMsgTransitionEnd = 0x2818,
    kMsgAccessibleAction = 0x2819,  // to the window: wParam element, lParam its generation
};

// wParam of the WM_LBUTTONDOWN the host makes out of a double click.
inline constexpr WPARAM kDoubleClickMarker = 10086;

// How a rectangle sent as 0x2810 is repainted.
enum class RepaintMode : int {
    kQueue = 0,  // appended to the dirty-rectangle queue
    kNow = 1,    // repainted and presented at once
    kFirst = 2,  // put at the head of the queue
};
// OR-ed into the mode when lParam is a PostedPayloads token and not the address of a rectangle:
// that is how a rectangle travels in a posted message.
inline constexpr WPARAM kRepaintPayloadToken = 0x10000;
// A host's request to itself (lParam 0): repaint what its dirty-rectangle queue holds.
inline constexpr WPARAM kRepaintFlushQueue = 0x20000;

}  // namespace ui

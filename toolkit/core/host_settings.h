// The settings of a host window, kept as one value, and what a caller gives when attaching.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <vector>

#include "toolkit/core/gdiplus_api.h"
#include "toolkit/core/images.h"

namespace ui {

inline constexpr wchar_t kWindowFlagsProperty[] = L"Ui_Wnd_Flags";

// Caption flags of a host.
enum CaptionFlag : int {
    kCaptionIcon = 1,
    kCaptionTitle = 2,
    kCaptionClose = 4,
    kCaptionMaximise = 8,
    kCaptionMinimise = 16,
    kCaptionExtra1 = 32,
    kCaptionExtra2 = 64,
    kCaptionExtra3 = 128,
    kCaptionExtra4 = 256,
    kCaptionSoftShadow = 512,
    kCaptionStandardSet = 1024,
};

// Where the whole-window refresh puts the background image.
enum class BackgroundMode : int { kNatural = 0, kStretch = 1, kCentre = 2 };

// The window's corners: any value other than square and nine-grid counts as rounded.
enum class CornerStyle : int {
    kSquare = 0,
    kNineGrid = 1,  // the background image drawn as a nine-grid, without the window frame
    kRounded = 7,
};

// Show and close animations of a host window.
enum class AnimationKind : int {
    kNone = 0,
    kFade = 1,
    kZoom = 2,
    kSlide = 3,
    kSlideMirrored = 4,
};

struct HostSettings {
    int layeredAlpha = -1;  // -1: not layered (presented with BitBlt)
    int captionFlags = 0;
    bool resizable = false;  // the host draws and handles sizing borders itself
    bool draggable = true;   // a press on empty area drags the window
    AnimationKind animationKind = AnimationKind::kNone;  // of the close animation
    int animationDuration = 200;                         // ms of the show animation
    BackgroundMode backgroundMode = BackgroundMode::kNatural;
    COLORREF backgroundColor = RGB(0x00, 0x88, 0xFF);
    CornerStyle cornerStyle = CornerStyle::kRounded;
    bool border = false;
    Margins nineGridMargins;
    bool shadowWindow = false;  // place the separate drop-shadow window around the content
    COLORREF shadowColor = RGB(0, 0, 0);
    HCURSOR defaultCursor = nullptr;  // shown when the hover element has none

    bool IsLayered() const { return layeredAlpha != -1; }
};

// What the caller gives to Attach. Three settings have defaults that depend on the window, so
// they are given separately: what `settings` holds for them is replaced.
struct AttachOptions {
    HostSettings settings;
    std::optional<int> captionFlags;   // none given: icon, title, close (+ max/min by style)
    std::optional<bool> resizable;     // default: whether the window has WS_THICKFRAME
    std::optional<bool> shadowWindow;  // default: on with OS major version 6
    std::vector<std::uint8_t> backgroundImage;  // encoded; empty = none
    GpImage* externalBackground = nullptr;      // the caller's image; never disposed by the host
    bool fadeIn = false;                        // present the first refresh with the fade-in
    // false: no refresh at the end of the attach (nor a fade-in), for a caller that changes the
    // settings further and then refreshes once itself.
    bool refresh = true;
};

}  // namespace ui

// The soft drop shadow around a frameless window: a separate layered top-level window (class
// "ShadowWnd") drawn from the shadow image as a nine-grid, reaching 5 pixels beyond its owner
// on the left and right, 3 above and 7 below. It sits just behind the owner, follows its moves,
// sizes, minimising, hiding and showing, lets the desktop show through its transparent parts,
// never takes the activation and lets clicks pass through.
#pragma once

#include <windows.h>

#include "toolkit/controls/shadow_follower.h"
#include "toolkit/core/host_window.h"

namespace ui {

inline constexpr char kShadowClassName[] = "ShadowWnd";

class ShadowWindow {
  public:
    ShadowWindow() = default;
    ~ShadowWindow() { HideShadow(); }
    ShadowWindow(const ShadowWindow&) = delete;
    ShadowWindow& operator=(const ShadowWindow&) = delete;

    // Removes a previous shadow and makes one around `owner`, shown when the owner is (and not
    // minimised): at once when it is already, as the wizard's, made after its first frame. Returns
    // the shadow's window, or 0 when `owner` is not a window or the shadow could not be made.
    HWND ShowShadow(HWND owner);
    // Removes the shadow. True when a window was destroyed; false when there was none (it was
    // hidden already, or went with its destroyed owner).
    bool HideShadow();

    // The shadow's window while it exists, else 0.
    HWND Window() const { return host_.Window(); }
    HWND Owner() const { return owner_; }

  private:
    HWND shadow_ = nullptr;
    HWND owner_ = nullptr;
    HostWindow host_;
    ShadowFollower follower_;
};

}  // namespace ui

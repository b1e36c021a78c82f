// Keeps a window glued to another one: it sits in the followed window's message chain (a
// comctl32 window subclass, so that it can be taken out again in any order with the tooltip's
// and other subclasses) and repeats the owner's moves, sizes, showing and hiding on the window
// that follows. The drop shadow uses it to stay around and just behind its owner.
#pragma once

#include <windows.h>

#include <optional>

namespace ui {

// Where the follower puts the follower window when attaching: relative to the owner's top-left.
struct FollowerPlacement {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

class ShadowFollower {
  public:
    ShadowFollower() = default;
    ~ShadowFollower() { Detach(); }
    ShadowFollower(const ShadowFollower&) = delete;
    ShadowFollower& operator=(const ShadowFollower&) = delete;

    // Starts following `owner` with `shadow` (a previous attachment ends first). The offsets
    // between the two windows are kept as they are now, or as `placement` puts the shadow.
    // `positionFlags` are SetWindowPos flags added to every follow move (SWP_NOACTIVATE always
    // is). Returns false, and follows nothing, unless both are windows.
    bool Attach(HWND shadow, HWND owner, UINT positionFlags = 0,
                std::optional<FollowerPlacement> placement = {});
    // Leaves the owner's message chain; true when it was in it.
    bool Detach();
    // Shows the shadow just behind the owner, without activating it.
    void ShowBehindOwner();
    bool IsAttached() const { return attached_; }
    HWND Shadow() const { return shadow_; }
    HWND Owner() const { return owner_; }
    // Owner rectangle minus shadow rectangle, edge by edge, taken when attaching.
    RECT Offsets() const { return offsets_; }

  private:
    static LRESULT CALLBACK OwnerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                      UINT_PTR id, DWORD_PTR self);
    void OnOwnerMoved();
    void OnOwnerSized(WPARAM kind);
    void OnOwnerShown(bool shown);
    void KeepBehindOwner();

    HWND shadow_ = nullptr;
    HWND owner_ = nullptr;
    UINT positionFlags_ = SWP_NOACTIVATE;
    RECT offsets_{};
    bool attached_ = false;
    bool raisingOwner_ = false;
};

}  // namespace ui

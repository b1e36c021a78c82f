#include "toolkit/controls/shadow_follower.h"

// Window subclasses that can be removed in any order.
#include "toolkit/core/common_controls.h"

namespace ui {

namespace {

UINT_PTR SubclassId(const ShadowFollower* follower) {
    return reinterpret_cast<UINT_PTR>(follower);
}

}  // namespace

bool ShadowFollower::Attach(HWND shadow, HWND owner, UINT positionFlags,
                            std::optional<FollowerPlacement> placement) {
    Detach();
    if (!IsWindow(shadow) || !IsWindow(owner)) return false;
    shadow_ = shadow;
    owner_ = owner;
    positionFlags_ = positionFlags | SWP_NOACTIVATE;
    RECT owned{};
    GetWindowRect(owner, &owned);
    if (placement) {
        SetWindowPos(shadow, owner, owned.left + placement->x, owned.top + placement->y,
                     placement->width, placement->height, SWP_SHOWWINDOW | SWP_NOACTIVATE);
    }
    RECT followed{};
    GetWindowRect(shadow, &followed);
    offsets_ = {owned.left - followed.left, owned.top - followed.top, owned.right - followed.right,
                owned.bottom - followed.bottom};
    attached_ = comctl::SetWindowSubclass(owner, &OwnerProc, SubclassId(this),
                                          reinterpret_cast<DWORD_PTR>(this)) != FALSE;
    return attached_;
}

bool ShadowFollower::Detach() {
    if (!attached_) return false;
    attached_ = false;
    return comctl::RemoveWindowSubclass(owner_, &OwnerProc, SubclassId(this)) != FALSE;
}

void ShadowFollower::ShowBehindOwner() {
    if (!IsWindow(shadow_)) return;
    // Wine shows a new window in front whatever it is placed after, and brings a window forward
    // on the screen only when it becomes the first of all: the shadow goes first, then the owner
    // comes in front of it (from behind the owner, a shadow shown after its owner would stay on
    // top of it).
    SetWindowPos(shadow_, HWND_TOP, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    raisingOwner_ = true;
    SetWindowPos(owner_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    raisingOwner_ = false;
}

LRESULT CALLBACK ShadowFollower::OwnerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                           UINT_PTR, DWORD_PTR self) {
    auto* follower = reinterpret_cast<ShadowFollower*>(self);
    switch (message) {
        case WM_MOVE:
            follower->OnOwnerMoved();
            break;
        case WM_SIZE:
            follower->OnOwnerSized(wParam);
            break;
        case WM_SHOWWINDOW:
            follower->OnOwnerShown(wParam != 0);
            break;
        case WM_WINDOWPOSCHANGED:
            // The owner came to the front (or went back): the shadow stays right behind it.
            if (!follower->raisingOwner_ &&
                !(reinterpret_cast<const WINDOWPOS*>(lParam)->flags & SWP_NOZORDER)) {
                follower->KeepBehindOwner();
            }
            break;
        case WM_DESTROY:
            // The shadow goes with its owner; it is not owned by it (an owned window always
            // stays in front of its owner, and the shadow belongs behind).
            DestroyWindow(follower->shadow_);
            break;
        default:
            break;
    }
    LRESULT result = comctl::DefSubclassProc(window, message, wParam, lParam);
    if (message == WM_NCDESTROY) follower->Detach();
    return result;
}

void ShadowFollower::OnOwnerMoved() {
    RECT owned{};
    GetWindowRect(owner_, &owned);
    SetWindowPos(shadow_, owner_, owned.left - offsets_.left, owned.top - offsets_.top, 0, 0,
                 positionFlags_ | SWP_NOSIZE);
}

void ShadowFollower::OnOwnerSized(WPARAM kind) {
    // A minimised owner is not shown; the shadow goes until the owner is restored.
    if (kind == SIZE_MINIMIZED) {
        ShowWindow(shadow_, SW_HIDE);
        return;
    }
    RECT owned{};
    GetWindowRect(owner_, &owned);
    int width = (owned.right - owned.left) - (offsets_.right - offsets_.left);
    int height = (owned.bottom - owned.top) - (offsets_.bottom - offsets_.top);
    SetWindowPos(shadow_, owner_, 0, 0, width, height, positionFlags_ | SWP_NOMOVE);
    if (IsWindowVisible(owner_) && !IsWindowVisible(shadow_)) ShowBehindOwner();
}

void ShadowFollower::OnOwnerShown(bool shown) {
    if (shown) {
        ShowBehindOwner();
    } else {
        ShowWindow(shadow_, SW_HIDE);
    }
}

void ShadowFollower::KeepBehindOwner() {
    SetWindowPos(shadow_, owner_, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

}  // namespace ui

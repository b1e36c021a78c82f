// Turns the mouse and keyboard messages of a host's window into element messages: hover,
// press and click, focus by click and Tab, Enter and Space, Alt accelerators, window dragging,
// sizing borders of the frameless window, and activation.
#pragma once

#include <windows.h>

#include "toolkit/core/host_callbacks.h"
#include "toolkit/core/input_host.h"

namespace ui {

class Element;

class InputRouter {
  public:
    explicit InputRouter(InputHost& host) : host_(host) {}
    InputRouter(const InputRouter&) = delete;
    InputRouter& operator=(const InputRouter&) = delete;

    // Returns true with `result` set when the message is consumed; otherwise the host goes on
    // with it (elements may have been told about it already).
    bool Route(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    // WM_ACTIVATE.
    void Activate(WPARAM wParam);
    // The click of a key (Enter, Space, an accelerator) or of a screen reader: the element's
    // click and the host's click callback.
    void Click(Element* element, WPARAM wParam = 0, LPARAM lParam = 0);

  private:
    // Keys, characters, commands and the wheel go to the focus element.
    bool RouteToFocus(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    bool RouteSystemCharacter(WPARAM wParam, LPARAM lParam);
    bool RouteMouse(UINT message, WPARAM wParam, LPARAM lParam);
    void MouseLeftWindow(WPARAM wParam, LPARAM lParam);
    bool RouteKeyDown(WPARAM key, WPARAM wParam, LPARAM lParam);
    void ReleaseOnButtonUp(WPARAM wParam, LPARAM lParam, float x, float y);
    void PressAt(Element* hit, WPARAM wParam, LPARAM lParam, float y);
    void TakeCapture(Element* hit, WPARAM wParam, LPARAM lParam);
    void Enter(Element* element, Element* from, WPARAM wParam, LPARAM lParam);
    void Notify(const HostCallbacks::ElementCallback& callback, Element* element, WPARAM wParam,
                LPARAM lParam);
    bool HandleSizingBorder(UINT message, float x, float y);
    void StartWindowDrag();
    void ToggleMaximise();

    InputHost& host_;
    bool mouseLeaveArmed_ = false;
};

}  // namespace ui

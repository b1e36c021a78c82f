// What InputRouter needs of the host whose window's input it routes, and nothing more: the
// window, the elements, the application's callbacks and the few settings and facts that decide
// dragging, sizing and maximising. HostWindow implements it.
#pragma once

#include <windows.h>

#include <string>

#include "toolkit/core/geometry.h"

namespace ui {

class Element;
class ElementTree;
struct HostCallbacks;
struct HostSettings;

class InputHost {
  public:
    virtual HWND Window() const = 0;
    virtual ElementTree& Elements() = 0;
    virtual const HostCallbacks& Callbacks() const = 0;
    virtual const HostSettings& Settings() const = 0;
    // Set while nothing may be painted: the mouse is not routed then.
    virtual bool IsBusy() const = 0;
    virtual int Width() const = 0;
    virtual int Height() const = 0;
    // Whether a double click on `element` toggles maximise (the caption's title).
    virtual bool TogglesMaximise(const Element* element) const = 0;
    // The mouse entered an element: shows its tip (Tooltip::Show).
    virtual void ShowTooltip(const std::string& text, const RectF& rect) = 0;

  protected:
    ~InputHost() = default;
};

}  // namespace ui

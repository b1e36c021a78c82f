// The title bar a host draws for its window when the caption flags ask for it: the window's
// icon, its title and the caption buttons, laid out after every size change, following the
// window's text and icon, and setting the window's minimum size.
#pragma once

#include <windows.h>

#include <memory>
#include <vector>

#include "toolkit/core/host_settings.h"

namespace ui {

class CaptionButton;
class Element;
class Label;
class WindowIcon;

class WindowCaption {
  public:
    explicit WindowCaption(const HostSettings& settings);
    ~WindowCaption();
    WindowCaption(const WindowCaption&) = delete;
    WindowCaption& operator=(const WindowCaption&) = delete;

    // Creates the parts the caption flags ask for and lays them out for `width`.
    void Create(HWND window, int width);
    void Destroy();
    // Right to left from the right edge; the title takes the room left of the buttons.
    void Layout(int width);

    // WM_SETTEXT (after the window took the text) and WM_SETICON.
    void TextChanged(const wchar_t* text);
    void IconChanged();
    // After a size change: the maximise button shows maximise or restore.
    void Resized();
    // WM_GETMINMAXINFO: the smallest size that keeps the caption whole.
    POINT MinimumTrackSize() const;
    // Whether a double click on `element` toggles maximise.
    bool TogglesMaximise(const Element* element) const;

    Label* Title() const { return title_.get(); }
    WindowIcon* Icon() const { return icon_.get(); }
    const std::vector<std::unique_ptr<CaptionButton>>& Buttons() const { return buttons_; }

  private:
    const HostSettings& settings_;
    std::unique_ptr<WindowIcon> icon_;
    std::unique_ptr<Label> title_;
    std::vector<std::unique_ptr<CaptionButton>> buttons_;
};

}  // namespace ui

// What the install procedure needs from the window that started it: a way to ask and report,
// to put a directory back into the page, and to close itself once the product is installed.
#pragma once

#include <cstdint>

#include "runtime/value_types.h"

namespace inst {

class InstallFrontEnd {
  public:
    virtual ~InstallFrontEnd() = default;

    // Shows a message with MessageBoxA-style button (0 OK, 4 Yes/No) and icon codes (32
    // question, 64 information), centred over the owner window when asked. Returns the pressed
    // button as a MessageBoxResult (5 = Yes).
    virtual int ShowInstallMessage(const rt::TextValue& text, const rt::TextValue& title,
                                   int buttons, int icon, bool centreOverOwner) = 0;

    // Puts a directory back into the page's directory box.
    virtual void SetInstallPath(const rt::TextValue& path) = 0;

    // Ends the wizard after a successful install.
    virtual void CloseWizard() = 0;

    // How far unpacking has come, as one count of bytes over decoding and writing: each byte of
    // the product's archive image counts once decoded and once written, so `total` is twice the
    // image size and known from the first call; `done` starts at 0, never goes back and the
    // last call has done == total. Called on the thread that runs the install (the wizard's UI
    // thread) at the start, about every MiB (kProgressStep) and at the end: the place to repaint
    // and to let the window's own messages through (rt::PumpMessages) while input stays
    // ignored. Does nothing unless overridden.
    virtual void ShowProgress(std::uint64_t /*done*/, std::uint64_t /*total*/) {}
};

}  // namespace inst

// What the system hands an edit box as typed text, brought into the program's code page: the
// WM_CHAR codes of a toolkit window, which are UTF-16 units because its procedure is a Unicode
// one, and the result string of an input-method composition.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace ui {

class TypedCharacterDecoder {
  public:
    // The character that a WM_CHAR code beyond ASCII completes, in the ANSI code page; empty
    // for a C1 control code, for the first half of a surrogate pair (kept for the next code),
    // for a lone half, and for a character the code page cannot hold exactly.
    std::string Take(WPARAM code);
    // Forgets a pending first half (an ASCII code came between).
    void Reset() { pendingHigh_.reset(); }

  private:
    std::optional<wchar_t> pendingHigh_;
};

// The result string of the window's input-method composition in the ANSI code page; empty when
// there is none.
std::string CompositionResult(HWND window);

}  // namespace ui

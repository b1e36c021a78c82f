// Plain text (CF_TEXT) on the system clipboard.
#pragma once

#include "runtime/value_types.h"

namespace rt {

// A copy of the clipboard's text, or null when it holds none or cannot be opened.
TextValue ClipboardGetText();
// Empties the clipboard and puts the text on it; false for an empty text or on failure.
bool ClipboardSetText(const TextValue& text);

}  // namespace rt

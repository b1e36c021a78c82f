#include <windows.h>

#include "runtime/system_message_box.h"

namespace rt {

int PlatformMessageBox(const TextValue& text, const TextValue& title, unsigned style) {
    return MessageBoxA(nullptr, text.c_str(), title.c_str(), style);
}

}  // namespace rt

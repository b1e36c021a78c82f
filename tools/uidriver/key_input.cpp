#include "tools/uidriver/key_input.h"

namespace e2e {

void PressKeys(std::initializer_list<WORD> keys) {
    for (WORD key : keys) {
        INPUT inputs[2] = {};
        inputs[0].type = inputs[1].type = INPUT_KEYBOARD;
        inputs[0].ki.wVk = inputs[1].ki.wVk = key;
        inputs[1].ki.dwFlags = KEYEVENTF_KEYUP;
        SendInput(2, inputs, sizeof(INPUT));
        Sleep(50);  // the target's loop takes each key before the next
    }
}

}  // namespace e2e

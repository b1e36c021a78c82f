// The process entry of the shipped program. It takes nothing from its environment: whoever
// starts an elevated program controls that.
#include <windows.h>

#include "program/program_main.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    prog::RunProgram();
}

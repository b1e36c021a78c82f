// The process entry of the shipped program. It takes nothing from its environment: whoever
// starts an elevated program controls that.
#include <windows.h>

#include "installer/program/program_main.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    inst::RunProgram();
}

// Straight to the system: the library's sleep_for goes through pthreads, 32 KB of the program.
#include <windows.h>

#include "runtime/number_ops.h"

namespace rt {

void SleepMs(int milliseconds) {
    if (milliseconds > 0) Sleep(static_cast<DWORD>(milliseconds));
}

}  // namespace rt

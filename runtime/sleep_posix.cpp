#include <chrono>
#include <thread>

#include "runtime/number_ops.h"

namespace rt {

void SleepMs(int milliseconds) {
    if (milliseconds > 0) std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

}  // namespace rt

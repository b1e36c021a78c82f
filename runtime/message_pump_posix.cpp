#include "runtime/message_pump.h"

namespace rt {

bool PumpMessages() {
    return false;
}

}  // namespace rt

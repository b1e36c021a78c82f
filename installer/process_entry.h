// One process of a process snapshot, in the order the system reports them.
#pragma once

#include <cstdint>

#include "runtime/value_types.h"

namespace inst {

struct ProcessEntry {
    std::uint32_t processId = 0;
    rt::TextValue imageName;  // code page 936; "System Idle Process" for the one without a name
};

}  // namespace inst

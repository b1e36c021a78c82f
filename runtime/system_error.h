// Why the last system call of this thread failed, in words an administrator can look up: the
// setup log names it beside every failed action.
#pragma once

#include "runtime/value_types.h"

namespace rt {

struct SystemError {
    long code = 0;  // GetLastError() on Windows, errno natively
    // The system's own description with the code, "error 5: Access is denied."
    TextValue text;
    // The description alone, for a person rather than a log; empty when the system has none.
    TextValue description;
    // The thing acted on was not there (a file, folder, registry key or value).
    bool notFound = false;
};

// Read it right after the failing call: most later calls overwrite it.
SystemError LastSystemError();

}  // namespace rt

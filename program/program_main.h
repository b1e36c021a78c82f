// The whole life of the process: the runtime's start, the toolkit's start, the start-up routine,
// and the runtime's end, which runs the toolkit's clean-up before the process ends.
#pragma once

namespace prog {

// Never returns: the process ends with the start-up routine's exit code.
[[noreturn]] void RunProgram();

}  // namespace prog

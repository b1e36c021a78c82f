// Faults of the program itself (a bad array index, a wrong value kind): a message box titled
// "error" with the numbered text, then the end of the program with the fault exit code (0 unless
// a silent run chose another; see program_end.h).
#pragma once

#include <string>

namespace rt {

// Numbers of the faults the program raises.
enum RuntimeErrorNumber : int {
    kErrorIndexAboveRange = 1,
    kErrorNotNumeric = 2,
    kErrorDimensionMismatch = 3,
    kErrorIndexBelowOne = 4,
    kErrorTypeMismatch = 5,
    kErrorDllStackFault = 6,
    kErrorNoSubExpressionData = 7,
    kErrorEqualityOnly = 8,
    kErrorChoiceIndex = 9,
    kErrorRedefineSize = 10,
    kErrorArgumentType = 11,
    kErrorReadKind = 100,
};

// The message shown for error `number`; numbers without a text of their own end after the line.
std::string RuntimeErrorText(int number);

// Shows the message box, then EndProgramAfterFault().
[[noreturn]] void RaiseRuntimeError(int number);

}  // namespace rt

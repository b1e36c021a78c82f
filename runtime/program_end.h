// The end of the program: the registered shut-down steps run once, then the process ends with the
// given exit code and nothing of the abandoned call frames runs any more.
#pragma once

namespace rt {

using ShutdownStep = void (*)();

// The single end callback (the toolkit's clean-up); a later call replaces the earlier one.
void SetEndCallback(ShutdownStep callback);
// The second shut-down step: the dynamic-call resolver's release of the libraries it loaded.
void SetLibraryRelease(ShutdownStep release);

// Runs the end callback, then the library release. Each step runs at most once per process, so
// a fault raised inside a step cannot loop back into it.
void RunShutdownSteps();

// Shut-down steps, then stdio is flushed and the process ends with `exitCode`.
[[noreturn]] void EndProgram(int exitCode);

// The exit code of a program ended by a fault of its own (a runtime error, no memory, a missing
// library): 0, as for every other end, unless a run that nobody watches chose a code that tells
// the fault apart from success.
void SetFaultExitCode(int exitCode);
int FaultExitCode();

// EndProgram with the fault exit code; called after the fault's message.
[[noreturn]] void EndProgramAfterFault();

}  // namespace rt

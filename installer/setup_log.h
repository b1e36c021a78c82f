// The record of a setup run for administrators (/LOG=file): one line per action, a failure with
// the system's cause. It also counts the failures by kind, which decides the exit code of a
// silent run, so it does its counting also when no file is written. Portable; lines are in the
// program's code page and the sink turns them into the file's encoding.
#pragma once

#include <array>
#include <string_view>

#include "runtime/value_types.h"

namespace inst {

class LogSink {
  public:
    virtual ~LogSink() = default;
    // One line, without its line end.
    virtual void WriteLine(std::string_view line) = 0;
};

// What a failure stands in the way of. Uncounted failures are logged only: a folder that could
// not be made is counted through the files that then cannot be written into it.
enum class FailureKind { kUncounted, kFiles, kSettings };

class SetupLog {
  public:
    SetupLog() = default;
    explicit SetupLog(LogSink* sink) : sink_(sink) {}
    void SetSink(LogSink* sink) { sink_ = sink; }
    bool IsWritten() const { return sink_ != nullptr; }

    // A line as it is: what was decided, asked, answered or found. Line breaks inside become
    // " | ", so that one entry stays one line.
    void Note(std::string_view text);

    // "<action>: <subject>" when done; otherwise "FAILED <action>: <subject>: <cause>" with the
    // system's cause of the last failed call, so call it right after the action.
    void Action(std::string_view action, std::string_view subject, bool done, FailureKind kind);

    // The same for removing something: what was not there counts as removed, noted as
    // "<action>: <subject>: not there".
    void Removal(std::string_view action, std::string_view subject, bool done, FailureKind kind);

    // A message a person was shown and the button pressed (a MessageBoxResult), or, with
    // `answer` naming how, a question answered without showing it.
    void Message(std::string_view title, std::string_view text, int pressed);
    void Message(std::string_view title, std::string_view text, std::string_view answer);

    // A failure whose cause is known: "FAILED <action>: <subject>: <cause>".
    void Failure(std::string_view action, std::string_view subject, std::string_view cause,
                 FailureKind kind);

    int Failures(FailureKind kind) const { return failures_[static_cast<std::size_t>(kind)]; }

  private:
    LogSink* sink_ = nullptr;
    std::array<int, 3> failures_{};
};

}  // namespace inst

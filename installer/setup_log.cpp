#include "installer/setup_log.h"

#include "runtime/system_error.h"

namespace inst {
namespace {

rt::TextValue OneLine(std::string_view text) {
    rt::TextValue line;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r') continue;
        if (text[i] == '\n') {
            line += " | ";
        } else {
            line += text[i];
        }
    }
    return line;
}

rt::TextValue Joined(std::string_view action, std::string_view subject) {
    rt::TextValue line(action);
    line += ": ";
    line += subject;
    return line;
}

const char* ButtonName(int pressed) {
    static constexpr const char* kNames[] = {"OK",     "Cancel", "Abort", "Retry",
                                             "Ignore", "Yes",    "No"};
    return pressed >= 0 && pressed < 7 ? kNames[pressed] : "none (the box was not shown)";
}

}  // namespace

void SetupLog::Message(std::string_view title, std::string_view text, int pressed) {
    Message(title, text, ButtonName(pressed));
}

void SetupLog::Message(std::string_view title, std::string_view text, std::string_view answer) {
    Note("message: " + Joined(title, text) + " -> " + rt::TextValue(answer));
}

void SetupLog::Note(std::string_view text) {
    if (sink_ != nullptr) sink_->WriteLine(OneLine(text));
}

void SetupLog::Action(std::string_view action, std::string_view subject, bool done,
                      FailureKind kind) {
    if (done) return Note(Joined(action, subject));
    Failure(action, subject, rt::LastSystemError().text, kind);
}

void SetupLog::Removal(std::string_view action, std::string_view subject, bool done,
                       FailureKind kind) {
    if (done) return Note(Joined(action, subject));
    const rt::SystemError error = rt::LastSystemError();
    if (error.notFound) return Note(Joined(action, subject) + ": not there");
    Failure(action, subject, error.text, kind);
}

void SetupLog::Failure(std::string_view action, std::string_view subject, std::string_view cause,
                       FailureKind kind) {
    ++failures_[static_cast<std::size_t>(kind)];
    Note("FAILED " + Joined(action, subject) + ": " + rt::TextValue(cause));
}

}  // namespace inst

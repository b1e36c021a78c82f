#include <windows.h>

#include <string>

#include "installer/program_command_line.h"
#include "installer/program_log.h"
#include "installer/setup_exit_codes.h"
#include "program/run_log.h"
#include "runtime/program_identity.h"

namespace prog {
namespace {

std::string LocalTime() {
    SYSTEMTIME now{};
    GetLocalTime(&now);
    // By hand rather than through the printf family, which would cost the program 20 KB.
    const auto digits = [](unsigned value, std::size_t width) {
        std::string text = std::to_string(value);
        return std::string(width > text.size() ? width - text.size() : 0, '0') + text;
    };
    return digits(now.wYear, 4) + "-" + digits(now.wMonth, 2) + "-" + digits(now.wDay, 2) + " " +
           digits(now.wHour, 2) + ":" + digits(now.wMinute, 2) + ":" + digits(now.wSecond, 2);
}

}  // namespace

void LogRunStart(inst::RunMode mode, const inst::SetupCommandLine& command) {
    inst::SetupLog& log = inst::ProgramLog();
    const bool silent = command.switches.silent;
    log.Note("VantorSaelin setup log, " + LocalTime());
    log.Note("program: " + rt::OwnDirectory() + "\\" + rt::OwnFileName());
    log.Note(std::string("mode: ") +
             (mode == inst::RunMode::Uninstaller ? "uninstall" : "install") +
             (silent ? ", silent" : ", with a window"));
    log.Note("arguments: " + inst::ProgramArguments());
    // A silent run logs them as the reason it does nothing (silent_setup.h).
    if (silent) return;
    for (const inst::CommandLineProblem& problem : command.problems)
        log.Note("switch ignored: " + problem.argument + ": " + problem.reason);
}

void LogRunEnd(int exitCode) {
    inst::ProgramLog().Note("finished, " + LocalTime() + ": exit code " + std::to_string(exitCode) +
                            " (" + inst::ExitCodeMeaning(exitCode) + ")");
}

}  // namespace prog

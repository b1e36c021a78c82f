#include <windows.h>

#include "installer/install_system_platform.h"
#include "installer/program_command_line.h"
#include "installer/run_mode.h"
#include "installer/saved_choices.h"
#include "runtime/program_identity.h"

namespace inst {
namespace {

// The program's own name ends at the closing quote when it starts with one, else at the first
// blank, as the C runtime reads it.
std::string_view AfterProgramName(std::string_view line) {
    std::size_t i = 0;
    if (!line.empty() && line[0] == '"') {
        const std::size_t close = line.find('"', 1);
        i = close == std::string_view::npos ? line.size() : close + 1;
    } else {
        while (i < line.size() && line[i] != ' ' && line[i] != '\t')
            ++i;
    }
    while (i < line.size() && (line[i] == ' ' || line[i] == '\t'))
        ++i;
    return line.substr(i);
}

}  // namespace

const rt::TextValue& ProgramArguments() {
    static const rt::TextValue arguments(AfterProgramName(GetCommandLineA()));
    return arguments;
}

const SetupCommandLine& ProgramCommandLine() {
    static const SetupCommandLine command =
        ParseSetupCommandLine(ProgramArguments(), ChooseRunMode(rt::OwnFileName()));
    return command;
}

InstallOptions StartingChoices() {
    return StartingChoices(SystemSetupPlatform(), ProgramCommandLine().switches);
}

}  // namespace inst

// The setup program as the end-to-end tests run it: the shipped program with its test hooks
// (wizard/test_hooks.h) taken from its environment.
//   VANTORSAELIN_TEST_FOLDER_CHOICES     the folder browser's answers, separated by "|": each
//                                        browse takes the next one and shows no dialog (an empty
//                                        answer stands for a cancelled browser); once all are
//                                        taken the dialog is back
//   VANTORSAELIN_TEST_PROGRESS_PAUSE_MS  a pause after each progress report of the unpacking
#include <windows.h>

#include <cstdlib>
#include <optional>

#include "program/program_main.h"
#include "wizard/test_hooks.h"

namespace {

constexpr char kFolderChoices[] = "VANTORSAELIN_TEST_FOLDER_CHOICES";
constexpr char kProgressPause[] = "VANTORSAELIN_TEST_PROGRESS_PAUSE_MS";

std::optional<rt::TextValue> Environment(const char* name) {
    char buffer[4096];
    const DWORD length = GetEnvironmentVariableA(name, buffer, sizeof buffer);
    if (length == 0 || length >= sizeof buffer) return std::nullopt;
    return rt::TextValue(buffer, length);
}

// The next answer, taken out of the environment.
std::optional<rt::TextValue> TakeFolderChoice() {
    const std::optional<rt::TextValue> choices = Environment(kFolderChoices);
    if (!choices) return std::nullopt;
    const auto bar = choices->find('|');
    const rt::TextValue rest =
        bar == rt::TextValue::npos ? rt::TextValue() : choices->substr(bar + 1);
    SetEnvironmentVariableA(kFolderChoices, rest.empty() ? nullptr : rest.c_str());
    return choices->substr(0, bar);
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    const std::optional<rt::TextValue> pause = Environment(kProgressPause);
    wiz::SetTestHooks({.folderChoice = &TakeFolderChoice,
                       .progressPauseMs = pause ? std::atoi(pause->c_str()) : 0});
    prog::RunProgram();
}

// The wizard as a person meets it: the real program's window, found once it is there, clicked
// with real mouse input, and its check boxes read off the screen.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

#include "tests/e2e/install_e2e_support.h"
#include "tools/uidriver/launched_process.h"

namespace e2e {

inline constexpr int kAppearMs = 20000;
inline constexpr int kSettleMs = 400;

// Where a person points, in the wizard's client pixels.
inline constexpr POINT kBoxes[4] = {{30, 153}, {30, 177}, {30, 201}, {30, 225}};  // inside each
inline constexpr POINT kInstall{230, 285};

struct Wizard {
    LaunchedProcess process;
    HWND window = nullptr;
};

// The process's window of this class (and title), once it is there.
std::optional<HWND> WindowOf(const LaunchedProcess& process, const std::string& className,
                             const std::optional<std::string>& title = std::nullopt,
                             int timeoutMs = 5000);

// The shipped program (or the given one) once its wizard is there.
std::optional<Wizard> StartWizard(const std::string& program = SetupProgramPath(),
                                  const std::string& arguments = {});

// The four boxes as the screen shows them ("1110"), once the saved choices are in, or once they
// show `expected`: a busy machine repaints late, so the screen is read until then.
std::string Boxes(HWND window, std::string_view expected = {});

// Clicks and gives the window a moment to answer.
void Click(HWND window, POINT at);

}  // namespace e2e

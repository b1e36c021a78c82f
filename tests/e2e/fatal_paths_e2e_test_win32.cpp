// What a person sees when the program meets a missing library or function, a bad array index
// or an exhausted memory: one error box, and the program ends with exit code 0.
#include <gtest/gtest.h>

#include "runtime/dll_function_name.h"
#include "runtime/runtime_error.h"
#include "tests/e2e/e2e_support.h"
#include "tools/uidriver/launched_process.h"
#include "tools/uidriver/ui_driver.h"

namespace e2e {
namespace {

struct SeenBox {
    std::string title;
    std::string text;
    std::optional<DWORD> exitCode;
};

// Runs the probe, reads the box it shows, presses OK and waits for the end.
SeenBox RunProbe(const std::string& what) {
    SeenBox seen;
    auto probe = LaunchedProcess::Start(ProbePath(), what);
    if (!probe) return seen;
    WindowQuery query;
    query.className = "#32770";
    query.processId = probe->Id();
    auto box = WaitForWindow(query, 15000);
    if (!box) return seen;
    seen.title = box->title;
    seen.text = MessageBoxText(box->handle);
    ClickButton(box->handle, IDOK);
    seen.exitCode = probe->WaitForExit(15000);
    return seen;
}

TEST(FatalPaths, AMissingLibraryShowsDllErrorAndEndsWithZero) {
    SeenBox seen = RunProbe("missing-library");
    EXPECT_EQ(seen.title, "DLL ERROR");
    EXPECT_EQ(seen.text, rt::MissingLibraryMessage("VsNoSuchLibrary.dll"));
    EXPECT_EQ(seen.exitCode, 0u);
}

TEST(FatalPaths, AMissingFunctionShowsDllErrorWithTheNameAsGiven) {
    SeenBox seen = RunProbe("missing-function");
    EXPECT_EQ(seen.title, "DLL ERROR");
    EXPECT_EQ(seen.text, rt::MissingFunctionMessage("user32", "VsNoSuchFunction@@4"));
    EXPECT_EQ(seen.exitCode, 0u);
}

TEST(FatalPaths, ArrayIndicesOutOfRangeAreRuntimeErrors) {
    SeenBox below = RunProbe("array-index-0");
    EXPECT_EQ(below.title, "error");
    EXPECT_EQ(below.text, rt::RuntimeErrorText(4));
    EXPECT_NE(below.text.find("program internal error number is 4."), std::string::npos);
    EXPECT_EQ(below.exitCode, 0u);

    SeenBox above = RunProbe("array-index-past-end");
    EXPECT_EQ(above.text, rt::RuntimeErrorText(1));
    EXPECT_EQ(above.exitCode, 0u);
}

TEST(FatalPaths, RunningOutOfMemoryShowsItsBoxAndEndsWithZero) {
    SeenBox seen = RunProbe("out-of-memory");
    EXPECT_EQ(seen.title, "error");
    EXPECT_EQ(seen.text, "内存不足");
    EXPECT_EQ(seen.exitCode, 0u);
}

}  // namespace
}  // namespace e2e

// Runtime errors, checked array access, out of memory and the end of the program. Each case ends
// a child process; boxes are printed to stderr (box_to_stderr.h) so nothing waits for a click.
#include <cstdio>
#include <limits>
#include <new>

#include <gtest/gtest.h>

#include "box_to_stderr.h"
#include "runtime/checked_array.h"
#include "runtime/out_of_memory.h"
#include "runtime/program_end.h"
#include "runtime/runtime_error.h"
#include "runtime/system_message_box.h"

namespace rt {
namespace {

using testing::ExitedWithCode;

TEST(RuntimeErrorText, NumberAndTableText) {
    EXPECT_EQ("program internal error number is 4. \r\n数组成员引用下标必须大于等于1",
              RuntimeErrorText(4));
    EXPECT_EQ("program internal error number is 1. \r\n数组成员引用下标超出定义范围",
              RuntimeErrorText(1));
    EXPECT_EQ("program internal error number is 11. \r\n所提供参数的数据类型不符合要求",
              RuntimeErrorText(11));
    // Numbers without a text of their own show nothing after the line break.
    EXPECT_EQ("program internal error number is 100. \r\n", RuntimeErrorText(100));
    EXPECT_EQ("program internal error number is 0. \r\n", RuntimeErrorText(0));
}

TEST(RuntimeErrorDeath, ShowsAnErrorBoxAndEndsWithExitCode0) {
    EXPECT_EXIT(
        {
            PrintBoxesToStderr();
            RaiseRuntimeError(6);
        },
        ExitedWithCode(0), "box error\\|16\\|program internal error number is 6");
#ifndef _WIN32
    // Without a handler the native build prints the box to stderr.
    EXPECT_EXIT(
        {
            SetMessageBoxHandler(nullptr);
            RaiseRuntimeError(2);
        },
        ExitedWithCode(0), "\\[error\\] program internal error number is 2");
#endif
}

TEST(CheckedArrayDeath, IndexBelowOneIsError4AndAboveCountIsError1) {
    CheckedArray<int> numbers{10, 20, 30};
    EXPECT_EQ(10, numbers.At(1));
    EXPECT_EQ(30, numbers.At(3));
    numbers.At(2) = 25;
    EXPECT_EQ(25, numbers.Items()[1]);
    EXPECT_EXIT(numbers.At(0), ExitedWithCode(0), "error number is 4");
    EXPECT_EXIT(numbers.At(-7), ExitedWithCode(0), "error number is 4");
    EXPECT_EXIT(numbers.At(4), ExitedWithCode(0), "error number is 1");
    const CheckedArray<int> empty;
    EXPECT_EXIT(empty.At(1), ExitedWithCode(0), "error number is 1");
}

TEST(CheckedArrayDeath, RedefineToANegativeCountIsError10) {
    CheckedArray<int> numbers;
    numbers.Redefine(2);
    EXPECT_EQ((std::vector<int>{0, 0}), numbers.Items());
    numbers.Redefine(0);
    EXPECT_TRUE(numbers.Empty());
    EXPECT_EXIT(numbers.Redefine(-1), ExitedWithCode(0), "error number is 10");
}

void PrintCallback() {
    std::fprintf(stderr, "callback ");
}
void PrintRelease() {
    std::fprintf(stderr, "release\n");
}
void FaultingCallback() {
    RaiseRuntimeError(kErrorNotNumeric);
}

TEST(EndProgramDeath, RunsTheCallbackThenTheLibraryReleaseAndEndsWithTheCode) {
    EXPECT_EXIT(
        {
            SetEndCallback(PrintCallback);
            SetLibraryRelease(PrintRelease);
            EndProgram(7);
        },
        ExitedWithCode(7), "callback release");
    EXPECT_EXIT(EndProgram(3), ExitedWithCode(3), "");
}

// A run that nobody watches tells a fault apart from success by the exit code.
TEST(EndProgramDeath, FaultsEndWithTheChosenFaultExitCode) {
    EXPECT_EXIT(
        {
            PrintBoxesToStderr();
            SetFaultExitCode(9);
            RaiseRuntimeError(kErrorTypeMismatch);
        },
        ExitedWithCode(9), "error number is 5");
    EXPECT_EXIT(
        {
            PrintBoxesToStderr();
            SetFaultExitCode(9);
            InstallOutOfMemoryHandler();
            std::get_new_handler()();
        },
        ExitedWithCode(9), "内存不足");
}

TEST(EndProgramDeath, AFaultInTheEndCallbackStillEndsOnceAndReleases) {
    EXPECT_EXIT(
        {
            PrintBoxesToStderr();
            SetEndCallback(FaultingCallback);
            SetLibraryRelease(PrintRelease);
            EndProgram(7);
        },
        ExitedWithCode(0), "release");
}

TEST(OutOfMemoryDeath, FailedAllocationShowsTheBoxAndEndsWithExitCode0) {
    EXPECT_EXIT(
        {
            PrintBoxesToStderr();
            InstallOutOfMemoryHandler();
            std::get_new_handler()();
        },
        ExitedWithCode(0), "box error\\|16\\|内存不足");
#ifdef _WIN32
    // A real failing allocation takes the same road: half the address space cannot be had by
    // a 32-bit or a 64-bit process.
    EXPECT_EXIT(
        {
            PrintBoxesToStderr();
            InstallOutOfMemoryHandler();
            volatile std::size_t huge = std::numeric_limits<std::size_t>::max() / 2 - 16;
            char* block = new char[huge];
            std::fprintf(stderr, "allocated %p\n", static_cast<void*>(block));
        },
        ExitedWithCode(0), "box error\\|16\\|内存不足");
#endif
}

}  // namespace
}  // namespace rt

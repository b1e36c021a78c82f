// Real system message boxes, answered from a helper thread: the shown text and title, the
// result codes, and the runtime-error box that ends the program.
#include <windows.h>

#include <cstdio>

#include <gtest/gtest.h>

#include "box_answerer.h"
#include "runtime/runtime_error.h"
#include "runtime/show_message.h"

namespace rt {
namespace {

using TV = TaggedValue;

TEST(SystemBox, YesNoQuestionAnsweredYesGives5) {
    BoxAnswerer answer("信息", IDYES);
    EXPECT_EQ(kResultYes, ShowMessage(TV::Int(5), MB_YESNO | MB_ICONQUESTION));
    ASSERT_TRUE(answer.Finish());
    EXPECT_EQ("5", answer.Text());
}

TEST(SystemBox, YesNoQuestionAnsweredNoGives6) {
    BoxAnswerer answer("卸载", IDNO);
    EXPECT_EQ(kResultNo,
              ShowMessage(TV::Text("是否卸载 VantorSaelin ？"), 0x24, TextValue("卸载")));
    ASSERT_TRUE(answer.Finish());
    EXPECT_EQ("是否卸载 VantorSaelin ？", answer.Text());
}

TEST(SystemBox, NumbersAreShownTrimmed) {
    {
        BoxAnswerer answer("信息", IDOK);
        EXPECT_EQ(kResultOk, ShowMessage(TV::Double(0.25), MB_OK));
        ASSERT_TRUE(answer.Finish());
        EXPECT_EQ("0.25", answer.Text());
    }
    {
        BoxAnswerer answer("信息", IDOK);
        EXPECT_EQ(kResultOk, ShowMessage(TV::Double(1.0), MB_OK));
        ASSERT_TRUE(answer.Finish());
        EXPECT_EQ("1", answer.Text());
    }
}

TEST(SystemBox, ByteSetShowsAnEmptyMessage) {
    BoxAnswerer answer("空", IDOK);
    EXPECT_EQ(kResultOk, ShowMessage(TV::Bytes({'a', 'b'}), MB_OK, TextValue("空")));
    ASSERT_TRUE(answer.Finish());
    EXPECT_EQ("", answer.Text());
}

// The box is answered from a thread of the child process, which then ends with exit code 0.
TEST(SystemBoxDeath, RuntimeErrorBoxEndsTheProgram) {
    EXPECT_EXIT(
        {
            static BoxAnswerer answer("error", IDOK, true);
            RaiseRuntimeError(4);
        },
        testing::ExitedWithCode(0), "shown: program internal error number is 4");
}

}  // namespace
}  // namespace rt

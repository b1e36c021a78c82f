// The system message box: message texts of each kind, default title, result codes.
#include <gtest/gtest.h>

#include "box_to_stderr.h"
#include "runtime/show_message.h"
#include "runtime/system_message_box.h"

namespace rt {
namespace {

using TV = TaggedValue;

struct ShownBox {
    TextValue text, title;
    unsigned style = 0;
};

// Records the box and answers with `button`; puts the printing handler back afterwards.
class ShowMessageTest : public testing::Test {
  protected:
    void AnswerWith(int button) {
        SetMessageBoxHandler(
            [this, button](const TextValue& text, const TextValue& title, unsigned style) {
                shown_ = {text, title, style};
                return button;
            });
    }
    void TearDown() override { PrintBoxesToStderr(); }
    ShownBox shown_;
};

TEST(MessageTextOf, FormatsEachKind) {
    EXPECT_EQ("5", MessageTextOf(TV::Int(5)));
    EXPECT_EQ("1", MessageTextOf(TV::Double(1.0)));
    EXPECT_EQ("0.25", MessageTextOf(TV::Double(0.25)));
    EXPECT_EQ("1.5", MessageTextOf(TV::Float(1.5f)));
    EXPECT_EQ("真", MessageTextOf(TV::Bool(true)));
    EXPECT_EQ("假", MessageTextOf(TV::Bool(false)));
    EXPECT_EQ("2024年1月1日", MessageTextOf(TV::DateTime(45292)));
    EXPECT_EQ("255", MessageTextOf(TV::Byte(255)));
    EXPECT_EQ("-32768", MessageTextOf(TV::Short(-32768)));
    EXPECT_EQ("12345678901", MessageTextOf(TV::Int64(12345678901LL)));
    EXPECT_EQ("是否卸载 VantorSaelin ？", MessageTextOf(TV::Text("是否卸载 VantorSaelin ？")));
}

TEST(MessageTextOf, ByteSetsArraysAndOtherKindsShowNothing) {
    EXPECT_EQ("", MessageTextOf(TV::Bytes({'a', 'b'})));
    EXPECT_EQ("", MessageTextOf(TV::ArrayOf<std::int32_t>({0x41})));
    EXPECT_EQ("", MessageTextOf(TV::ArrayOfTexts({"a"})));
    EXPECT_EQ("", MessageTextOf(TV::Opaque(kTagLibraryObject)));
    EXPECT_EQ("", MessageTextOf(TV()));
}

TEST_F(ShowMessageTest, DefaultTitleAndStyleReachTheBox) {
    AnswerWith(kIdOk);
    EXPECT_EQ(kResultOk, ShowMessage(TV::Int(5), kBoxIconInformation));
    EXPECT_EQ("5", shown_.text);
    EXPECT_EQ("信息", shown_.title);
    EXPECT_EQ(kBoxIconInformation, shown_.style);
    ShowMessage(TV::Text("x"), 0, TextValue("标题"));
    EXPECT_EQ("标题", shown_.title);
}

TEST_F(ShowMessageTest, ResultIsTheButtonIdMinusOne) {
    AnswerWith(kIdYes);
    EXPECT_EQ(kResultYes, ShowMessage(TV::Text("?"), kBoxYesNo | kBoxIconQuestion));
    EXPECT_EQ(0x24u, shown_.style);
    AnswerWith(kIdNo);
    EXPECT_EQ(kResultNo, ShowMessage(TV::Text("?"), 0x24));
    AnswerWith(0);  // the box could not be shown
    EXPECT_EQ(-1, ShowMessage(TV::Text("?"), 0));
}

TEST(DefaultButton, FirstButtonUnlessAnotherIsMadeDefault) {
    EXPECT_EQ(kIdOk, DefaultButtonOf(kBoxOk));
    EXPECT_EQ(kIdOk, DefaultButtonOf(kBoxOkCancel | kBoxIconWarning));
    EXPECT_EQ(kIdYes, DefaultButtonOf(kBoxYesNo | kBoxIconQuestion));
    EXPECT_EQ(kIdNo, DefaultButtonOf(kBoxYesNo | 0x100));
    EXPECT_EQ(kIdIgnore, DefaultButtonOf(kBoxAbortRetryIgnore | 0x200));
    EXPECT_EQ(kIdRetry, DefaultButtonOf(kBoxRetryCancel | 0x300));  // no fourth button
}

}  // namespace
}  // namespace rt

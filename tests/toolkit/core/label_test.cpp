// Labels: measuring, repainting, alignment and text transitions.
#include <gtest/gtest.h>

#include <vector>
#include "tests/toolkit/toolkit_test_support.h"
#include "toolkit/core/label.h"
#include "toolkit/core/text_render.h"
#include "toolkit/core/toolkit.h"

namespace ui::test {
namespace {

// Counts its paints and remembers where its text went.
class ProbeLabel : public Label {
  public:
    int paints = 0;
    RectF lastTextRect;
    std::vector<UINT> transitions;

  protected:
    void BeforeText(RectF& rect) override {
        ++paints;
        lastTextRect = rect;
    }
    void OnTransitionStart() override {
        transitions.push_back(kMsgTransitionStart);
        Label::OnTransitionStart();
    }
    void OnTransitionEnd() override {
        transitions.push_back(kMsgTransitionEnd);
        Label::OnTransitionEnd();
    }
};

TEST(Labels, TheSameTextAgainNeitherRepaintsNorRemeasures) {
    TestWindow w;
    ProbeLabel label;
    LabelSpec spec;
    spec.rect = {20, 40, 200, 30};
    spec.text = "安装目录：";
    ASSERT_TRUE(label.Create(w.window, spec));
    int paints = label.paints;
    label.SetText("安装目录：");
    EXPECT_EQ(label.paints, paints);
    label.SetText("安装目录");
    EXPECT_EQ(label.paints, paints + 1);
    EXPECT_GT(label.MeasuredWidth(), 0);
}

TEST(Labels, ACentredSingleLineStaysCentredAfterAFontSizeChange) {
    TestWindow w;
    ProbeLabel label;
    LabelSpec spec;
    spec.rect = {20, 40, 200, 40};
    spec.text = "Centre";
    ASSERT_TRUE(label.Create(w.window, spec));
    auto centre = [&] { return label.lastTextRect.y + label.lastTextRect.height / 2; };
    float before = centre();
    int heightBefore = label.MeasuredHeight();
    label.SetFontSize(20);
    EXPECT_GT(label.MeasuredHeight(), heightBefore);
    EXPECT_NEAR(centre(), before, 1.0);
    EXPECT_NEAR(centre(), 20.0, 1.0);  // the middle of the 40-pixel face
    EXPECT_NE(label.Font(), DefaultFont());
    EXPECT_FLOAT_EQ(FontSize(DefaultFont()), 12);  // the shared font is left alone
}

TEST(Labels, ATextChangeWithATransitionRunsItAndEndsIt) {
    TestWindow w;
    ProbeLabel label;
    LabelSpec spec;
    spec.rect = {20, 40, 200, 30};
    spec.text = "旧";
    ASSERT_TRUE(label.Create(w.window, spec));
    label.SetText("旧", TransitionStyle::kSlideRight, 3,
                  15);  // replaced even though it is the same
    EXPECT_EQ(label.Transition(), TransitionStyle::kSlideRight);
    EXPECT_EQ(label.AnimationFrames(), 3);
    ASSERT_TRUE(PumpUntil([&] { return label.transitions.size() == 2; }));
    EXPECT_EQ(label.transitions[0], static_cast<UINT>(kMsgTransitionStart));
    EXPECT_EQ(label.transitions[1], static_cast<UINT>(kMsgTransitionEnd));
    EXPECT_EQ(label.AnimationFrames(), 0);
}

}  // namespace
}  // namespace ui::test

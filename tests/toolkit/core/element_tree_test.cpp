// The element tree: hit testing and which elements are alive.
#include <gtest/gtest.h>

#include "tests/toolkit/toolkit_test_support.h"

namespace ui::test {
namespace {

TEST(HitTest, FindsTheTopmostDeepestElementAndLeavesRightAndBottomEdgesOut) {
    TestWindow w(Bare());
    Element back, front, child;
    ASSERT_TRUE(back.Create(w.window, SpecAt(20, 20, 100, 100)));
    ASSERT_TRUE(front.Create(w.window, SpecAt(60, 60, 100, 100)));
    ASSERT_TRUE(child.Create(&back, SpecAt(30, 30, 20, 20)));
    EXPECT_EQ(w.host->Elements().HitTest(70, 70), &front);  // later in the list wins
    EXPECT_EQ(w.host->Elements().HitTest(35, 35), &child);
    EXPECT_EQ(w.host->Elements().HitTest(50, 40), &back);  // x = 50 is the child's right edge
    EXPECT_EQ(w.host->Elements().HitTest(40, 50), &back);  // y = 50 is its bottom edge
    EXPECT_EQ(w.host->Elements().HitTest(160, 100), nullptr);
    front.SetDisabled(true);
    EXPECT_EQ(w.host->Elements().HitTest(70, 70), &back);
    back.SetVisible(false);
    EXPECT_EQ(w.host->Elements().HitTest(35, 35), nullptr);
}

TEST(Liveness, ElementsAreAliveFromCreateToDestroyWithTheirChildren) {
    TestWindow w(Bare());
    ElementTree& tree = w.host->Elements();
    Element parent, child;
    EXPECT_FALSE(tree.IsLive(&parent));
    ASSERT_TRUE(parent.Create(w.window, SpecAt(10, 10, 50, 50)));
    ASSERT_TRUE(child.Create(&parent, SpecAt(20, 20, 10, 10)));
    EXPECT_TRUE(tree.IsLive(&parent));
    EXPECT_TRUE(tree.IsLive(&child));
    parent.Destroy();
    EXPECT_FALSE(tree.IsLive(&parent));
    EXPECT_FALSE(tree.IsLive(&child));
    EXPECT_FALSE(tree.IsLive(nullptr));
}

}  // namespace
}  // namespace ui::test

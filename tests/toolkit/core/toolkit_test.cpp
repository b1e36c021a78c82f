// The toolkit's program-wide state: start, clean-up and start again.
#include <gtest/gtest.h>

#include <vector>
#include "tests/toolkit/toolkit_test_support.h"
#include "toolkit/core/text_render.h"
#include "toolkit/core/toolkit.h"

namespace ui::test {
namespace {

TEST(ToolkitLifetime, ShutdownRunsTheCleanUpsInReverseAndStartsAgain) {
    std::vector<int> order;
    RegisterToolkitCleanup([&] { order.push_back(1); });
    RegisterToolkitCleanup([&] { order.push_back(2); });
    ShutdownToolkit();
    EXPECT_EQ(order, (std::vector<int>{2, 1}));
    EXPECT_FALSE(ToolkitStarted());
    EXPECT_EQ(DefaultFont(), nullptr);
    ASSERT_TRUE(StartToolkit());
    EXPECT_NE(DefaultFont(), nullptr);
    EXPECT_FALSE(FontFamilyName(DefaultFont()).empty());
    EXPECT_FLOAT_EQ(FontSize(DefaultFont()), 12);
}

}  // namespace
}  // namespace ui::test

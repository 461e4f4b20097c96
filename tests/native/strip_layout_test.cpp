#include "platform/strip_layout.h"

#include <gtest/gtest.h>

namespace sendlark {
namespace {

struct LayoutCase {
  int dpi;
  int width, height;
  PixelRect toolbar;
  int button, image;
};

class LayoutTest : public ::testing::TestWithParam<LayoutCase> {};

TEST_P(LayoutTest, ScalesTheDesignToWholePixels) {
  const LayoutCase& c = GetParam();
  const WindowLayout layout = LayoutFor(c.dpi);
  EXPECT_EQ(layout.width, c.width);
  EXPECT_EQ(layout.height, c.height);
  EXPECT_EQ(layout.toolbar, c.toolbar);
  EXPECT_EQ(layout.buttonWidth, c.button);
  EXPECT_EQ(layout.imageSize, c.image);
  // The grip lines tile their columns exactly: no gaps, no overlaps, alternating colours.
  ASSERT_EQ(layout.grips.size(), 16u);
  for (std::size_t i = 0; i < 16; ++i) {
    EXPECT_GE(layout.grips[i].width, 1);
    EXPECT_EQ(layout.grips[i].colour, i % 2 == 0 ? kGripLight : kGripShadow);
    if (i % 8 != 0) {
      EXPECT_EQ(layout.grips[i].left, layout.grips[i - 1].left + layout.grips[i - 1].width);
    }
  }
  EXPECT_EQ(layout.grips[0].left, 0);
  EXPECT_EQ(layout.grips[15].left + layout.grips[15].width, c.width);
}

INSTANTIATE_TEST_SUITE_P(Dpis, LayoutTest,
                         ::testing::Values(LayoutCase{96, 88, 22, {8, 0, 73, 22}, 23, 16},
                                           LayoutCase{120, 110, 28, {10, 0, 91, 28}, 29, 20},
                                           LayoutCase{144, 132, 33, {12, 0, 110, 33}, 35, 24},
                                           LayoutCase{192, 176, 44, {16, 0, 146, 44}, 46, 32}));

}  // namespace
}  // namespace sendlark

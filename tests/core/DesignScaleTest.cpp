#include "ui/DesignScale.h"

#include <gtest/gtest.h>

namespace vantrel {
namespace {

TEST(DesignScale, LengthsRoundToTheNearestPixelWithHalvesAwayFromZero) {
  struct Case {
    int design, dpi, scaled;
  };
  const Case cases[] = {
      {11, 96, 11},  {11, 120, 14},   {11, 144, 17}, {-11, 144, -17}, {-11, 120, -14},
      {60, 144, 90}, {115, 144, 173}, {17, 168, 30}, {22, 192, 44},   {281, 144, 422},
      {0, 144, 0},   {7, 72, 5},      {11, 0, 11},  // a failed query counts as 96
  };
  for (const Case& c : cases)
    EXPECT_EQ(Scaled(c.design, c.dpi), c.scaled) << c.design << " at " << c.dpi;
}

// A window moved between monitors finds its controls' design places again
// from where they are, however far they were scrolled.
TEST(DesignScale, EveryLengthComesBackExactlyAtNinetySixDpiAndAbove) {
  for (int dpi : {96, 108, 120, 144, 168, 192, 240, 288, 480})
    for (int design = -400; design <= 400; ++design)
      ASSERT_EQ(Unscaled(Scaled(design, dpi), dpi), design) << design << " at " << dpi;
}

TEST(DesignScale, RectanglesScaleByTheirEdgesSoNeighboursStillTouch) {
  // The turbo box starts where the display ends, and the display where the
  // button ends: at 150 % each odd edge rounds the same way for both.
  const ControlRect button{8, 17, 61, 19};
  const ControlRect display{69, 17, 115, 19};
  for (int dpi : {120, 144, 168}) {
    const ControlRect a = Scaled(button, dpi);
    const ControlRect b = Scaled(display, dpi);
    EXPECT_EQ(a.left + a.width, b.left) << dpi;
    EXPECT_EQ(Unscaled(a, dpi), button) << dpi;
  }
  // 4.5 and 205.5 both round up.
  EXPECT_EQ(Scaled(ControlRect{3, 3, 134, 17}, 144), (ControlRect{5, 5, 201, 25}));
}

}  // namespace
}  // namespace vantrel

#include "app/RowLayout.h"

#include <gtest/gtest.h>

#include <vector>

namespace vantrel {
namespace {

// The button rows as the main window holds them: a top and a shown flag per
// row, scrolled by applying the steps the way the window does.
struct ButtonGroup {
  explicit ButtonGroup(int n) {
    for (int e = 1; e <= n; ++e) {
      tops.push_back(RowTop(e));
      shown.push_back(ShownAtStart(e, n));
    }
  }
  // Also checks that the rows shown afterwards are exactly those in the band.
  bool Click(int direction) {
    const std::vector<RowStep> steps = ScrollSteps(tops, direction);
    for (std::size_t i = 0; i < steps.size(); ++i) {
      if (steps[i].hideFirst) shown[i] = false;
      tops[i] = steps[i].newTop;
      if (steps[i].showAfter) shown[i] = true;
    }
    for (std::size_t i = 0; i < tops.size(); ++i)
      EXPECT_EQ(shown[i], InBand(tops[i])) << "row " << i + 1 << " at " << tops[i];
    return !steps.empty();
  }
  std::vector<int> ShownRows() const {
    std::vector<int> rows;
    for (std::size_t i = 0; i < shown.size(); ++i)
      if (shown[i]) rows.push_back(static_cast<int>(i) + 1);
    return rows;
  }
  std::vector<int> tops;
  std::vector<bool> shown;
};

TEST(RowLayout, ButtonsFillTheButtonGroupWhereOnlyRowsBelowTheBandStartHidden) {
  EXPECT_EQ(PlaceOfEntry(1, 8).group, RowGroup::Buttons);
  EXPECT_EQ(PlaceOfEntry(8, 8).row, 8);
  EXPECT_EQ(PlaceOfEntry(8, 8).group, RowGroup::Buttons);
  EXPECT_EQ(PlaceOfEntry(9, 8).group, RowGroup::Axis);
  EXPECT_EQ(PlaceOfEntry(9, 8).row, 1);
  EXPECT_EQ(PlaceOfEntry(12, 8).row, 4);
  EXPECT_EQ(PlaceOfEntry(1, 0).group, RowGroup::Axis) << "with no buttons the Up row is entry 1";
  EXPECT_EQ(PlaceOfEntry(4, 0).row, 4);
  EXPECT_TRUE(ShownAtStart(6, 8));
  EXPECT_FALSE(ShownAtStart(7, 8));
  EXPECT_FALSE(ShownAtStart(8, 8));
  EXPECT_TRUE(ShownAtStart(9, 8)) << "the Up row";
  EXPECT_TRUE(ShownAtStart(10, 6)) << "direction rows are never hidden, whatever their number";
  EXPECT_FALSE(RowsScroll(6));
  EXPECT_TRUE(RowsScroll(7));
}

TEST(RowLayout, CaptionsNameButtonsByNumberAndDirectionsByText) {
  KeptTexts texts;
  EXPECT_EQ(RowCaption(1, 2, texts), "Button 1");
  EXPECT_EQ(RowCaption(2, 2, texts), "Button 2");
  EXPECT_EQ(RowCaption(3, 2, texts), "Up");
  EXPECT_EQ(RowCaption(4, 2, texts), "Down");
  EXPECT_EQ(RowCaption(5, 2, texts), "Left");
  EXPECT_EQ(RowCaption(6, 2, texts), "Right");
  texts.Button = "";
  texts.Left = "Links";
  EXPECT_EQ(RowCaption(12, 12, texts), " 12") << "an empty Button text keeps the blank";
  EXPECT_EQ(RowCaption(15, 12, texts), "Links");
}

TEST(GBoxScrool, EightButtonsScrollOneRowPerClickWithinTheirEnds) {
  ButtonGroup g(8);
  EXPECT_EQ(g.ShownRows(), (std::vector<int>{1, 2, 3, 4, 5, 6}));
  EXPECT_FALSE(g.Click(kScrollUp)) << "row 1 already at the top";

  EXPECT_TRUE(g.Click(kScrollDown));
  EXPECT_EQ(g.ShownRows(), (std::vector<int>{2, 3, 4, 5, 6, 7}));
  EXPECT_EQ(g.tops.front(), -6);
  EXPECT_EQ(g.tops[6], 126);
  EXPECT_TRUE(g.Click(kScrollDown));
  EXPECT_EQ(g.ShownRows(), (std::vector<int>{3, 4, 5, 6, 7, 8}));
  EXPECT_EQ(g.tops.back(), 126);
  const std::vector<int> atBottom = g.tops;
  EXPECT_FALSE(g.Click(kScrollDown));
  EXPECT_EQ(g.tops, atBottom) << "a third click moves nothing";

  EXPECT_TRUE(g.Click(kScrollUp));
  EXPECT_EQ(g.ShownRows(), (std::vector<int>{2, 3, 4, 5, 6, 7}));
  EXPECT_TRUE(g.Click(kScrollUp));
  EXPECT_EQ(g.ShownRows(), (std::vector<int>{1, 2, 3, 4, 5, 6}));
  EXPECT_EQ(g.tops.front(), 16);
  EXPECT_FALSE(g.Click(kScrollUp));
}

TEST(GBoxScrool, SixRowsOrFewerHaveNothingToScroll) {
  for (int n : {0, 4, 6}) {
    ButtonGroup g(n);
    EXPECT_FALSE(g.Click(kScrollDown)) << "N=" << n;
    EXPECT_FALSE(g.Click(kScrollUp)) << "N=" << n;
    EXPECT_EQ(g.ShownRows().size(), static_cast<std::size_t>(n));
  }
}

// A taller window: each extra row goes where more rows hide, the button
// group taking the ties and whatever is left once every row shows.
TEST(RowLayout, ExtraRowsGoToTheGroupWithMoreRowsHidden) {
  struct Case {
    int extra, axisRows, buttonRows;
    Bands bands;
  } const cases[] = {
      {0, 16, 12, {6, 6}}, {1, 4, 12, {6, 7}}, {3, 9, 8, {8, 7}},   {4, 9, 8, {8, 8}},
      {2, 7, 7, {7, 7}},   {5, 4, 4, {6, 11}}, {6, 16, 8, {12, 6}}, {20, 16, 8, {16, 16}},
  };
  for (const Case& c : cases)
    EXPECT_EQ(BandsFor(c.extra, c.axisRows, c.buttonRows), c.bands)
        << c.extra << " extra rows for " << c.axisRows << " axis and " << c.buttonRows
        << " button rows";
  EXPECT_EQ(AxisGroupGrowth(ShownExtras{}.set(0).set(1).set(2).set(3), 7), 3 * kRowPitch)
      << "eight axis rows in a band of seven";
}

// A band grown under a group scrolled to its end brings the rows above back,
// rather than leaving blank rows under the last.
TEST(RowLayout, AGrownBandKeepsTheScrollWhereRowsRemainBelow) {
  struct Case {
    int first, rows, band, shown;
  } const cases[] = {{2, 12, 6, 2}, {2, 12, 10, 2}, {6, 12, 8, 4},
                     {3, 5, 6, 0},  {0, 0, 9, 0},   {-1, 8, 6, 0}};
  for (const Case& c : cases)
    EXPECT_EQ(FirstShown(c.first, c.rows, c.band), c.shown)
        << "first " << c.first << " of " << c.rows << " in " << c.band;
}

TEST(GBoxScrool, ABandOfNineScrollsTwelveRowsToTheirEndInThreeClicks) {
  std::vector<int> tops;
  for (int row = 1; row <= 12; ++row) tops.push_back(RowTop(row));
  int clicks = 0;
  for (std::vector<RowStep> steps; !(steps = ScrollSteps(tops, kScrollDown, 9)).empty(); ++clicks)
    for (std::size_t i = 0; i < steps.size(); ++i) {
      tops[i] = steps[i].newTop;
      EXPECT_EQ(steps[i].showAfter, tops[i] == BandBottom(9)) << "row " << i + 1;
    }
  EXPECT_EQ(clicks, 3);
  EXPECT_EQ(tops.back(), BandBottom(9));
  EXPECT_TRUE(InBand(tops[3], 9));
  EXPECT_FALSE(InBand(tops[2], 9));
}

TEST(RowLayout, TheMainWindowIsNeverShorterThanItsDefaultNorTallerThanTheWorkArea) {
  struct Case {
    int wanted, expected;
  } const cases[] = {{0, 330}, {-5, 330}, {200, 330}, {500, 500}, {900, 728}};
  for (const Case& c : cases)
    EXPECT_EQ(MainWindowHeight(c.wanted, 330, 728), c.expected) << c.wanted;
  EXPECT_EQ(MainWindowHeight(500, 330, 300), 330) << "a work area too small for the default";
}

}  // namespace
}  // namespace vantrel

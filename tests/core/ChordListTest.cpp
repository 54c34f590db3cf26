#include "config/ChordList.h"

#include <gtest/gtest.h>

namespace vantrel {
namespace {

using Entries = std::vector<std::uint8_t>;

Binding Key(std::uint16_t vcode) { return {.VCode = vcode, .Action = ActEmulKey}; }

TEST(ChordList, ALineNamesTheEntriesInOrderThenTheAction) {
  const auto label = [](std::uint8_t e) { return "B" + std::to_string(e); };
  EXPECT_EQ(ChordLine({{5, 6}, {}}, label, "G"), "B5 + B6: G");
  EXPECT_EQ(ChordLine({{1, 7, 30}, {}}, label, "Ctrl+A"), "B1 + B7 + B30: Ctrl+A");
}

TEST(ChordList, AddsTwoOrThreeDistinctEntriesAndRefusesTheRest) {
  struct Case {
    Entries picked;
    ChordFault fault;
    Entries stored;
  };
  const Case cases[] = {
      {{6, 5}, ChordFault::None, {5, 6}},     // kept in ascending order
      {{9, 0, 2}, ChordFault::None, {2, 9}},  // an empty pick is no entry
      {{3, 1, 2}, ChordFault::None, {1, 2, 3}}, {{5, 6}, ChordFault::Present, {}},
      {{6, 5, 6}, ChordFault::Present, {}},  // the same entries in another order
      {{4, 4}, ChordFault::Size, {}},           {{4}, ChordFault::Size, {}},
      {{0, 0, 0}, ChordFault::Size, {}},        {{1, 2, 3, 4}, ChordFault::Size, {}},
  };
  ChordList list;
  int count = 0;
  for (const Case& c : cases) {
    EXPECT_EQ(list.Add(c.picked, Key(71)), c.fault) << testing::PrintToString(c.picked);
    if (c.fault != ChordFault::None) continue;
    ASSERT_EQ(list.Count(), ++count);
    EXPECT_EQ(list.Chords().back().entries, c.stored);
    EXPECT_EQ(list.Chords().back().action.VCode, 71);
  }
  EXPECT_EQ(list.Count(), count);
}

TEST(ChordList, AChordWrittenByHandInAnotherOrderIsStillPresent) {
  ChordList list;
  list.Assign({{{8, 2}, Key(65)}});
  EXPECT_EQ(list.FaultOf({2, 8}), ChordFault::Present);
}

TEST(ChordList, HoldsAtMostSixteen) {
  ChordList list;
  for (std::uint8_t e = 1; e <= kMaxChords; ++e)
    ASSERT_EQ(list.Add({e, static_cast<std::uint8_t>(e + 20)}, Key(e)), ChordFault::None);
  EXPECT_EQ(list.Add({1, 2}, Key(1)), ChordFault::Full);
  EXPECT_EQ(list.Add({1, 21}, Key(1)), ChordFault::Present) << "a present chord says so first";
  list.Remove(0);
  EXPECT_EQ(list.Add({1, 2}, Key(1)), ChordFault::None);
}

TEST(ChordList, RemoveTakesOnlyTheChordChosen) {
  ChordList list;
  list.Assign({{{1, 2}, Key(65)}, {{3, 4}, Key(66)}, {{5, 6}, Key(67)}});
  list.Remove(1);
  list.Remove(-1);
  list.Remove(2);
  ASSERT_EQ(list.Count(), 2);
  EXPECT_EQ(list.Chords()[0].action.VCode, 65);
  EXPECT_EQ(list.Chords()[1].action.VCode, 67);
}

TEST(ChordCapture, TakesTheEntriesDownTogetherAtTheMostOnceAllAreUp) {
  struct Step {
    std::uint8_t entry;
    bool held;
  };
  struct Case {
    const char* name;
    std::vector<Step> steps;
    Entries taken;  // at the last step, which ends the capture
  };
  const Case cases[] = {
      {"two together", {{5, true}, {6, true}, {5, false}, {6, false}}, {5, 6}},
      {"three, let go in any order",
       {{9, true}, {2, true}, {4, true}, {2, false}, {9, false}, {4, false}},
       {2, 4, 9}},
      {"rolled: the most down at once",
       {{1, true}, {2, true}, {1, false}, {3, true}, {2, false}, {3, false}},
       {1, 2}},
      {"a later larger set wins",
       {{1, true}, {2, true}, {2, false}, {3, true}, {4, true}, {1, false}, {3, false}, {4, false}},
       {1, 3, 4}},
      {"one alone", {{7, true}, {7, false}}, {7}},
      {"a repeated press is one",
       {{7, true}, {7, true}, {8, true}, {7, false}, {8, false}},
       {7, 8}},
  };
  for (const Case& c : cases) {
    ChordCapture capture;
    capture.Start();
    for (std::size_t i = 0; i < c.steps.size(); ++i) {
      const bool ended = capture.Feed(c.steps[i].entry, c.steps[i].held);
      EXPECT_EQ(ended, i + 1 == c.steps.size()) << c.name << " at step " << i;
    }
    EXPECT_EQ(capture.Taken(), c.taken) << c.name;
  }
}

TEST(ChordCapture, ARowHeldBeforeTheStartCountsFromItsNextPress) {
  ChordCapture capture;
  capture.Start();
  EXPECT_FALSE(capture.Feed(3, false));
  EXPECT_TRUE(capture.Taken().empty());
  capture.Feed(4, true);
  capture.Feed(5, true);
  capture.Feed(4, false);
  EXPECT_TRUE(capture.Feed(5, false));
  EXPECT_EQ(capture.Taken(), (Entries{4, 5}));
  capture.Feed(6, true);
  EXPECT_EQ(capture.Taken(), (Entries{4, 5})) << "kept until the next capture ends";
  capture.Start();
  EXPECT_TRUE(capture.Taken().empty());
}

}  // namespace
}  // namespace vantrel

#include "input/ControllerChoice.h"

#include <gtest/gtest.h>

namespace vantrel {
namespace {

TEST(ControllerChoice, TheWishedOneByItsIdThenByItsNameElseTheFirstAttached) {
  const std::vector<AttachedController> two{{"Wheel", "{1}"}, {"Pad", "{2}"}};
  const std::vector<AttachedController> twins{{"Pad", "{3}"}, {"Pad", "{2}"}};
  struct Case {
    std::vector<AttachedController> attached;
    ControllerWish wish;
    int read;
    bool wished;
  };
  const Case kCases[] = {
      {two, {}, 0, true},                      // the first attached
      {two, {"Pad", "{2}"}, 1, true},          // by its identifier
      {twins, {"Pad", "{2}"}, 1, true},        // two of one name, told apart
      {two, {"Pad", "{9}"}, 1, true},          // another port: found by name
      {two, {"Stick", "{9}"}, 0, false},       // away: the first stands in
      {{}, {"Pad", "{2}"}, -1, false},         // nothing attached
      {{}, {}, -1, false},
  };
  for (const Case& c : kCases) {
    const int read = ChooseController(c.attached, c.wish);
    EXPECT_EQ(read, c.read) << c.wish.name << " " << c.wish.id;
    EXPECT_EQ(IsWished(c.attached, read, c.wish), c.wished) << c.wish.name << " " << c.wish.id;
  }
}

// A controller plugged in later, even one listed first, never takes over
// from the one being read, unless it is the one the user chose.
TEST(ControllerChoice, TheOneReadStaysWhileTheWishedOneIsAway) {
  const std::vector<AttachedController> wheelFirst{{"Wheel", "{7}"}, {"Pad", "{2}"}};
  EXPECT_EQ(ChooseController(wheelFirst, {}, "{2}"), 1) << "first attached: the pad read stays";
  EXPECT_EQ(ChooseController(wheelFirst, {"Stick", "{9}"}, "{2}"), 1) << "standing in, it stays";
  EXPECT_EQ(ChooseController(wheelFirst, {"Wheel", "{7}"}, "{2}"), 0) << "the one chosen returns";
  EXPECT_EQ(ChooseController({{"Wheel", "{7}"}}, {}, "{2}"), 0) << "the one read went";
}

TEST(ControllerChoice, TheOptionsListNamesEveryOneAndTheWishedWhileItIsAway) {
  const std::vector<AttachedController> attached{{"Pad", "{1}"}, {"Wheel", "{2}"}, {"Pad", "{3}"}};
  const ControllerList all = ListControllers(attached, {"Pad", "{3}"}, "First attached");
  EXPECT_EQ(all.items, (std::vector<std::string>{"First attached", "Pad (1)", "Wheel", "Pad (2)"}));
  EXPECT_EQ(all.selected, 3);
  EXPECT_EQ(all.wishes[2], (ControllerWish{"Wheel", "{2}"}));
  EXPECT_TRUE(all.wishes[0].FirstAttached());
  const ControllerList away = ListControllers({{"Wheel", "{2}"}}, {"Stick", "{9}"}, "First");
  EXPECT_EQ(away.items, (std::vector<std::string>{"First", "Wheel", "Stick"}));
  EXPECT_EQ(away.selected, 2);
  EXPECT_EQ(ListControllers({}, {}, "First").selected, 0);
}

}  // namespace
}  // namespace vantrel

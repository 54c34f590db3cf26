#include "actions/ElevationNotice.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vantrel {
namespace {

// Presses into programs, one after another: whether each is told, and how
// often the system had to be asked. Every program but this one and
// "plain.exe" runs as administrator.
TEST(ElevationNotice, EachElevatedProgramIsToldOnceAndEachAnswerAskedOnce) {
  ElevationNotice notice;
  int selfAsked = 0;
  int programAsked = 0;
  struct Press {
    std::uint32_t processId;
    const char* name;
    bool told;
    int selfAsked, programAsked;  // in total, after the press
  };
  const Press kPresses[] = {
      {10, "game.exe", true, 1, 1},
      {10, "game.exe", false, 1, 1},   // told already
      {11, "game.exe", false, 1, 1},   // another run of the same program: told already
      {20, "plain.exe", false, 1, 2},  // not elevated
      {20, "plain.exe", false, 1, 2},  // its answer is kept
      {30, "tool.exe", true, 1, 3},
      {20, "other.exe", true, 1, 4},  // an id given to a new process names another program
      {10, "game.exe", false, 1, 4},
  };
  int i = 0;
  for (const Press& press : kPresses) {
    const bool told = notice.ShouldTell(
        press.processId, press.name, [&] { return ++selfAsked, false; },
        [&] { return ++programAsked, std::string(press.name) != "plain.exe"; });
    EXPECT_EQ(told, press.told) << "press " << i;
    EXPECT_EQ(selfAsked, press.selfAsked) << "press " << i;
    EXPECT_EQ(programAsked, press.programAsked) << "press " << i;
    ++i;
  }
  EXPECT_EQ(notice.Told(), (std::vector<std::string>{"game.exe", "tool.exe", "other.exe"}));
}

TEST(ElevationNotice, NothingIsToldOrAskedOfOthersWhileThisProgramIsElevated) {
  ElevationNotice notice;
  int programAsked = 0;
  for (std::uint32_t id : {1u, 2u})
    EXPECT_FALSE(notice.ShouldTell(
        id, "game.exe", [] { return true; }, [&] { return ++programAsked, true; }));
  EXPECT_EQ(programAsked, 0);
  EXPECT_TRUE(notice.Told().empty());
}

TEST(ElevationNotice, TheProgramsNameReplacesTheWholeFirstPlaceholder) {
  struct Case {
    const char* text;
    const char* program;
    const char* shown;
  };
  const Case kCases[] = {
      {"%s runs as administrator", "game.exe", "game.exe runs as administrator"},
      {"Input to %s is dropped", "game.exe", "Input to game.exe is dropped"},
      {"Ends in %s", "game.exe", "Ends in game.exe"},
      {"%s and %s", "a.exe", "a.exe and %s"},            // only the first
      {"%s!", "100%s.exe", "100%s.exe!"},                // the name is not read again
      {"No placeholder", "game.exe", "No placeholder"},  // shown as it stands
      {"100% sure", "game.exe", "100% sure"},
      {"", "game.exe", ""},
  };
  for (const Case& c : kCases) EXPECT_EQ(ElevationNoticeText(c.text, c.program), c.shown) << c.text;
}

}  // namespace
}  // namespace vantrel

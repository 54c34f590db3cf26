#include "actions/ProgramRules.h"

#include <gtest/gtest.h>

namespace vantrel {
namespace {

using Kind = RuleAction::Kind;

// Which profile is in force after each activation and end, as a table.
TEST(ProgramRules, TheProfileInForceAfterAnySequenceOfActivationsAndEnds) {
  ProgramSwitcher s;
  s.SetRules({{"Alpha.exe", "C:\\a.ini"}, {"beta.exe", "C:\\b.ini"}, {"quiet.exe", "Off"}});
  s.Chose("C:\\start.ini");
  struct Step {
    char event;  // 'a' activated, 'e' ended
    std::uint32_t pid;
    const char* program;
    RuleAction action;
    const char* inForce;
    bool quiet;
  };
  const Step kSteps[] = {
      {'a', 10, "alpha.EXE", {Kind::Load, "C:\\a.ini"}, "C:\\a.ini", false},  // any case
      {'a', 10, "alpha.exe", {}, "C:\\a.ini", false},                      // already in force
      {'a', 20, "notepad.exe", {}, "C:\\a.ini", false},                    // no rule: kept
      {'a', 30, "beta.exe", {Kind::Load, "C:\\b.ini"}, "C:\\b.ini", false},
      {'e', 20, "", {}, "C:\\b.ini", false},                               // no rule: nothing
      {'e', 30, "", {Kind::Load, "C:\\a.ini"}, "C:\\a.ini", false},        // beta's end
      {'a', 40, "quiet.exe", {Kind::Quiet, ""}, "C:\\a.ini", true},
      {'a', 30, "beta.exe", {Kind::Load, "C:\\b.ini"}, "C:\\b.ini", false},
      {'e', 40, "", {}, "C:\\b.ini", false},                               // not in force
      {'e', 30, "", {Kind::Load, "C:\\a.ini"}, "C:\\a.ini", false},        // back past quiet's
      {'e', 10, "", {Kind::Load, "C:\\start.ini"}, "C:\\start.ini", false},
      {'e', 10, "", {}, "C:\\start.ini", false},
      // Back in front after another: it returns to what was in force then,
      // and past the other once that has ended.
      {'a', 10, "alpha.exe", {Kind::Load, "C:\\a.ini"}, "C:\\a.ini", false},
      {'a', 40, "quiet.exe", {Kind::Quiet, ""}, "C:\\a.ini", true},
      {'a', 10, "alpha.exe", {Kind::Load, "C:\\a.ini"}, "C:\\a.ini", false},
      {'e', 40, "", {}, "C:\\a.ini", false},
      {'e', 10, "", {Kind::Load, "C:\\start.ini"}, "C:\\start.ini", false},
  };
  int i = 0;
  for (const Step& step : kSteps) {
    const RuleAction action =
        step.event == 'a' ? s.Activated(step.pid, step.program) : s.Ended(step.pid);
    EXPECT_EQ(action, step.action) << "step " << i;
    EXPECT_EQ(s.InForce(), step.inForce) << "step " << i;
    EXPECT_EQ(s.Quiet(), step.quiet) << "step " << i;
    ++i;
  }
}

TEST(ProgramRules, AProfileTheUserChoosesStaysWhenTheRuledProgramEnds) {
  ProgramSwitcher s;
  s.SetRules({{"quiet.exe", "off"}});
  s.Chose("C:\\start.ini");
  EXPECT_EQ(s.Activated(7, "quiet.exe").kind, Kind::Quiet);
  EXPECT_EQ(s.Watched(), 7u);
  s.Chose("C:\\opened.ini");
  EXPECT_FALSE(s.Quiet());
  EXPECT_EQ(s.Watched(), 0u);
  EXPECT_EQ(s.Ended(7), RuleAction{});
  EXPECT_EQ(s.InForce(), "C:\\opened.ini");
}

}  // namespace
}  // namespace vantrel

// The options window's Autorun box and the Run values behind it.
#include "win/OptionsFixture_win.h"

namespace vantrel::test {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;
using ::testing::Not;

TEST_F(Options, UntickingAutorunRemovesTheValueAtOnceAndCancelKeepsItRemoved) {
  const AutorunEntries& entries = ProgramAutoruns();
  WriteAutorun(entries.machine, AutorunCommand(ExePath()));
  Start("");
  Open();
  EXPECT_TRUE(Checked(Opts().chbAutoRun));
  Click(Opts().chbAutoRun);
  EXPECT_FALSE(ReadAutorun(entries.machine));
  EXPECT_FALSE(ReadAutorun(entries.user));
  Click(Opts().btnCancel);
  EXPECT_FALSE(ReadAutorun(entries.machine));
  Open();
  // Ticked again, with every right an administrator has: the user's value alone.
  Click(Opts().chbAutoRun);
  EXPECT_EQ(ReadAutorunValue(entries.user), AutorunCommand(ExePath()));
  EXPECT_FALSE(ReadAutorun(entries.machine));
  Click(Opts().btnCancel);
}

// A user's own key that cannot be made.
long FailTheUsersKey(const AutorunEntry& entry, AutorunStep step) {
  return entry.key.ends_with("\\User") && step == AutorunStep::CreateKey ? ERROR_INVALID_PARAMETER
                                                                         : ERROR_SUCCESS;
}
// And a user's own key that lets the key be made but refuses the value.
long RefuseTheMachineWideKeyAndTheUsersValue(const AutorunEntry& entry, AutorunStep step) {
  return step == AutorunStep::SetValue ? ERROR_ACCESS_DENIED : RefuseTheMachineWideKey(entry, step);
}

// A machine-wide value an earlier version wrote keeps the box ticked; a
// start from another folder gives the user his own value, and leaves the
// machine-wide one as it was.
TEST_F(Options, AnOlderMachineWideValueShowsTickedAndIsNeverRewritten) {
  const AutorunEntries& entries = ProgramAutoruns();
  for (const std::string& stored :
       {AutorunCommand(ExePath()), std::string("\"C:\\Old Place\\Vantrel.exe\"")}) {
    SCOPED_TRACE(stored);
    WriteAutorun(entries.machine, stored);
    Start("");
    Open();
    EXPECT_TRUE(Checked(Opts().chbAutoRun));
    EXPECT_EQ(ReadAutorunValue(entries.machine), stored);
    EXPECT_EQ(ReadAutorunValue(entries.user),
              stored == AutorunCommand(ExePath()) ? "" : AutorunCommand(ExePath()));
    Click(Opts().btnCancel);
    app.reset();
    DeleteAutorun(entries.user);
  }
}

TEST_F(Options, AUserRefusedTheMachineWideEntryGetsHisOwnWithoutABox) {
  SetAutorunWriteCheck(&RefuseTheMachineWideKey);
  const AutorunEntry user = ProgramAutoruns().user;
  WriteAutorun(user, "\"C:\\Old Place\\Vantrel.exe\"");

  test::BoxCounter boxes(GetCurrentThreadId());
  Start("");
  EXPECT_EQ(ReadAutorunValue(user), AutorunCommand(ExePath())) << "the moved program follows";
  Open();
  EXPECT_TRUE(Checked(Opts().chbAutoRun));
  Click(Opts().chbAutoRun);
  EXPECT_FALSE(ReadAutorun(user));
  Click(Opts().chbAutoRun);
  EXPECT_EQ(ReadAutorunValue(user), AutorunCommand(ExePath()));
  Click(Opts().btnOK);
  EXPECT_THAT(boxes.Stop(), IsEmpty());
}

// Reported by the step that failed: the key, or the value in a key that
// could be made.
TEST_F(Options, AnyOtherFailureOfTheAutorunWriteIsReportedAndTheBoxStaysTicked) {
  struct Case {
    AutorunWriteCheck check;
    std::string text;
  };
  for (const Case& c :
       {Case{&FailTheUsersKey, "Failed to create key " + testKey + "\\User."},
        Case{&RefuseTheMachineWideKeyAndTheUsersValue, "Failed to set data for 'QEX'"}}) {
    SCOPED_TRACE(c.text);
    SetAutorunWriteCheck(c.check);
    Start("");
    Open();
    test::BoxCounter boxes(GetCurrentThreadId());
    Click(Opts().chbAutoRun);
    EXPECT_THAT(boxes.Stop(), ElementsAre(c.text));
    EXPECT_TRUE(Checked(Opts().chbAutoRun));
    EXPECT_FALSE(ReadAutorun(ProgramAutoruns().user));
    EXPECT_FALSE(ReadAutorun(ProgramAutoruns().machine)) << "never the machine-wide value";
    Click(Opts().btnCancel);
    app.reset();
  }
}

// An administrator set the machine-wide value; the user who unticks the box
// may not remove it, and Windows still starts the program.
TEST_F(Options, AValueThatWillNotGoIsReportedAndTheBoxStaysTicked) {
  const AutorunEntries& entries = ProgramAutoruns();
  WriteAutorun(entries.machine, AutorunCommand(ExePath()));
  WriteAutorun(entries.user, AutorunCommand(ExePath()));
  SetAutorunWriteCheck(&RefuseTheMachineWideKey);
  Start("");
  Open();
  ASSERT_TRUE(Checked(Opts().chbAutoRun));
  test::BoxCounter boxes(GetCurrentThreadId());
  Click(Opts().chbAutoRun);
  EXPECT_THAT(boxes.Stop(), ElementsAre(BuiltInText("OptionsWindow", "AutorunOffRefused")));
  EXPECT_TRUE(Checked(Opts().chbAutoRun));
  EXPECT_EQ(ReadAutorunValue(entries.machine), AutorunCommand(ExePath()));
  EXPECT_FALSE(ReadAutorun(entries.user)) << "what may go, goes";
  Click(Opts().btnOK);
  app.reset();
  Start("");
  Open();
  EXPECT_TRUE(Checked(Opts().chbAutoRun)) << "the next start finds it ticked, as it is";
  Click(Opts().btnCancel);
}

}  // namespace
}  // namespace vantrel::test

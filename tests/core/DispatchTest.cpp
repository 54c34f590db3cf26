#include "core/DispatchFixture.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <functional>
#include <limits>
#include <map>
#include <string>
#include <vector>

#include "actions/ExtendedKeys.h"
#include "base/Errors.h"
#include "config/BindingEditor.h"

namespace vantrel {
namespace {

using test::DispatchTest;
using test::ScriptedPad;

using ::testing::ElementsAre;
using ::testing::IsEmpty;

TEST_F(DispatchTest, KeyEntriesSendModifierThenKeyOnBothEdges) {
  table[3] = {.VCode = 116, .Shift = 17, .Action = ActEmulKey};
  table[1] = {.VCode = 65, .Action = ActEmulKey};
  Press(3);
  EXPECT_TRUE(host.held[3]);
  Release(3);
  EXPECT_FALSE(host.held[3]);
  Press(1);
  Release(1);
  EXPECT_THAT(sink.Take(), ElementsAre("k17", "k116", "^k17", "^k116",  //
                                       "k0", "k65", "^k0", "^k65"));
}

TEST_F(DispatchTest, OtherKindsOnlyColourTheRow) {
  for (std::uint8_t kind : {0, 1, 6}) {
    table[2] = {.VCode = 65, .Action = kind};
    Press(2);
    EXPECT_TRUE(host.held[2]);
    Release(2);
    EXPECT_FALSE(host.held[2]);
  }
  EXPECT_THAT(sink.events, IsEmpty());
}

// Each tap keeps its keys down for half the interval: a game that reads the
// keyboard's state once a frame never sees a key that goes down and up with
// no time between. The loop runs the dispatcher only when it says it is due.
TEST_F(DispatchTest, TurboTapsOncePerIntervalEachHeldForHalfOfIt) {
  table[1] = {.VCode = 66, .Action = ActEmulKey};
  host.turbo[1] = true;
  std::vector<std::string> timeline;
  auto runUntil = [&](Millis end) {
    while (d.NextDue() <= end) {
      At(d.NextDue());
      for (const std::string& e : sink.Take()) timeline.push_back(std::to_string(now) + " " + e);
    }
  };
  At(1000);
  Press(1);
  EXPECT_THAT(sink.events, IsEmpty()) << "nothing before the first interval";
  EXPECT_EQ(d.NextDue(), 1100);
  // A 349 ms hold at 100 ms: taps at 100, 200 and 300 ms; the release cuts
  // the last one short.
  runUntil(1349);
  At(1349);
  Release(1);
  for (const std::string& e : sink.Take()) timeline.push_back("1349 " + e);
  EXPECT_EQ(d.NextDue(), kNever);
  EXPECT_THAT(timeline, ElementsAre("1100 k0", "1100 k66", "1150 ^k0", "1150 ^k66",  //
                                    "1200 k0", "1200 k66", "1250 ^k0", "1250 ^k66",  //
                                    "1300 k0", "1300 k66", "1349 ^k0", "1349 ^k66"));
  EXPECT_EQ(sink.calls, 6) << "a modifier and its key go out together";
}

// Whatever the real period of the wait, the taps keep their interval and
// their number; a stall makes up for nothing in a burst.
TEST_F(DispatchTest, TurboKeepsItsIntervalWhateverTheStepsOfTime) {
  table[1] = {.VCode = 66, .Action = ActEmulKey};
  host.turbo[1] = true;
  for (Millis period : {1, 7, 10, 16}) {
    SCOPED_TRACE(period);
    At(0);
    Press(1);
    int taps = 0;
    for (Millis t = period; t < 1000 + period; t += period) {  // through 1000 ms
      At(t);
      for (const std::string& e : sink.Take()) taps += e == "k66";
    }
    Release(1);
    sink.Take();
    EXPECT_EQ(taps, 10);
  }
  At(0);
  Press(1);
  At(2000);
  Release(1);
  EXPECT_THAT(sink.Take(), ElementsAre("k0", "k66", "^k0", "^k66")) << "one tap after a stall";
}

TEST_F(DispatchTest, TheLaterTurboPressTakesOverAndEitherReleaseStops) {
  table[1] = {.VCode = 65, .Action = ActEmulKey};
  table[2] = {.VCode = 66, .Action = ActEmulKey};
  host.turbo[1] = host.turbo[2] = true;
  Press(1);
  Press(2);
  EXPECT_EQ(d.Dispatch.TurboEntry, 2);
  At(100);
  EXPECT_THAT(sink.Take(), ElementsAre("k0", "k66"));
  At(150);
  EXPECT_THAT(sink.Take(), ElementsAre("^k0", "^k66"));
  At(200);
  EXPECT_THAT(sink.Take(), ElementsAre("k0", "k66"));
  Release(1);
  EXPECT_THAT(sink.Take(), ElementsAre("^k0", "^k66")) << "the tap in progress comes up at once";
  EXPECT_FALSE(Due());
  At(300);
  EXPECT_THAT(sink.events, IsEmpty());
  Release(2);
  EXPECT_THAT(sink.events, IsEmpty()) << "a turbo release sends no key-up";
}

TEST_F(DispatchTest, ASecondPressWithoutAReleaseLetsGoOfTheFirst) {
  struct Case {
    Binding binding;
    std::vector<std::string> events;  // press, press again, release
  };
  const Case cases[] = {
      {{.VCode = 65, .Shift = 16, .Action = ActEmulKey},
       {"k16", "k65", "^k16", "^k65", "k16", "k65", "^k16", "^k65"}},
      {{.VCode = 300, .Action = ActEmulClick}, {"m2", "m4", "m2", "m4"}},
      {{.VCode = 301, .Action = ActEmulClick}, {"m8", "m16", "m8", "m16"}},
  };
  for (const Case& c : cases) {
    table[1] = c.binding;
    Press(1);
    Press(1);
    Release(1);
    EXPECT_EQ(sink.Take(), c.events);
  }
}

TEST_F(DispatchTest, RunEntriesStartTheirProgramOnEveryPress) {
  table[1] = {.Execute = "C:\\Program Files\\Game\\game.exe", .Action = ActRun};
  Press(1);
  Release(1);
  Press(1);
  EXPECT_THAT(host.launched, ElementsAre(table[1].Execute, table[1].Execute));
  table[2] = {.Execute = std::string(600, 'a'), .Action = ActRun};
  Press(2);
  table[3] = {.Execute = std::string(601, 'a'), .Action = ActRun};
  Press(3);
  EXPECT_EQ(host.launched.size(), 3u) << "a command over 600 characters is refused, not cut";
}

class ProfileSwitchTest : public DispatchTest {
 protected:
  void SetUp() override {
    table[2] = {.INI = {"C:\\P\\alpha.ini", "C:\\P\\beta.ini", "C:\\P\\gamma.ini"},
                .INICount = 3,
                .Action = ActChangeIni};
    host.rows[2] = table.ActToStr(2);
  }
};

TEST_F(ProfileSwitchTest, CyclesThroughTheListNamingTheNextProfile) {
  std::vector<std::string> rowAfter;
  for (int i = 0; i < 4; ++i) {
    Press(2);
    Release(2);
    rowAfter.push_back(host.rows[2]);
  }
  EXPECT_THAT(host.loads, ElementsAre("C:\\P\\beta.ini", "C:\\P\\gamma.ini", "C:\\P\\alpha.ini",
                                      "C:\\P\\beta.ini"));
  EXPECT_EQ(host.skipped, 2);
  EXPECT_THAT(rowAfter, ElementsAre("gamma.ini", "alpha.ini", "beta.ini", "gamma.ini"));
  EXPECT_THAT(
      host.popup,
      ElementsAre("Current: beta.ini / Next: gamma.ini", "Current: gamma.ini / Next: alpha.ini",
                  "Current: alpha.ini / Next: beta.ini", "Current: beta.ini / Next: gamma.ini"));
}

TEST_F(ProfileSwitchTest, EntriesShareOnePosition) {
  table[3] = {.INI = {"C:\\Q\\one.ini", "C:\\Q\\two.ini"}, .INICount = 2, .Action = ActChangeIni};
  host.rows[3] = table.ActToStr(3);
  Press(2), Release(2), Press(2), Release(2);
  EXPECT_EQ(d.Dispatch.INIIndex, 2);
  Press(3);
  EXPECT_EQ(host.loads.back(), "C:\\Q\\one.ini") << "the high index wraps to the first file";
  EXPECT_EQ(host.popup.back(), "Current: two.ini / Next: two.ini");
}

TEST_F(ProfileSwitchTest, ARefusedRecordOfTheProfileStillEndsTheSwitch) {
  host.onLoad = [](const std::string&) { throw AppError("Unable to write to C:\\Vantrel.set"); };
  EXPECT_THROW(Press(2), AppError) << "the failure is passed on, after the switch";
  EXPECT_EQ(d.Dispatch.INIIndex, 1);
  EXPECT_EQ(host.rows[2], "gamma.ini");
  EXPECT_THAT(host.popup, ElementsAre("Current: beta.ini / Next: gamma.ini"));
  Release(2);
  EXPECT_THROW(Press(2), AppError);
  EXPECT_EQ(host.rows[2], "alpha.ini");
}

TEST_F(ProfileSwitchTest, EmptyListsAndStrayIndexesReadNothingOutside) {
  table[3] = {.Action = ActChangeIni};
  Press(3);
  EXPECT_THAT(host.loads, IsEmpty());
  for (std::int32_t stray : {1000, -7}) {
    d.Dispatch.INIIndex = stray;
    Press(2);
    Release(2);
    EXPECT_EQ(host.loads.back(), "C:\\P\\alpha.ini");
  }
}

TEST_F(ProfileSwitchTest, APathTooLongToNameAFileIsNoProfileToSwitchTo) {
  table[2].INI[1] = "C:\\" + std::string(300, 'p') + ".ini";
  Press(2);
  EXPECT_THAT(host.loads, IsEmpty());
  EXPECT_EQ(d.Dispatch.INIIndex, 0);
  EXPECT_EQ(host.rows[2], "beta.ini");
  EXPECT_THAT(host.popup, IsEmpty());
}

TEST_F(ProfileSwitchTest, AReleaseUndoesItsOwnPressWhateverTheNewProfileBinds) {
  table[1] = {.VCode = 65, .Shift = 16, .Action = ActEmulKey};
  table[3] = {.VCode = 300, .Action = ActEmulClick};
  table[4] = {.VCode = 66, .Action = ActEmulKey};
  host.turbo[4] = true;
  Press(1);
  Press(3);
  Press(4);
  // The new profile binds every held entry to something else.
  host.onLoad = [&](const std::string&) {
    table[1] = {.VCode = 90, .Action = ActEmulKey};
    table[3] = {.VCode = 301, .Action = ActEmulClick};
    table[4] = {.VCode = 67, .Action = ActEmulKey};
    host.turbo[4] = false;
  };
  Press(2);
  sink.Take();
  Release(1);
  Release(3);
  Release(4);
  EXPECT_THAT(sink.Take(), ElementsAre("^k16", "^k65", "m4"));
  EXPECT_FALSE(Due()) << "the repeat that started stops";
}

TEST_F(DispatchTest, AnEntryPressedBeforeAChangeAndReleasedAfterSendsNothingNew) {
  table[1] = {.Action = ActNone};
  Press(1);
  table[1] = {.VCode = 65, .Action = ActEmulKey};
  Release(1);
  EXPECT_THAT(sink.events, IsEmpty());
}

TEST_F(DispatchTest, AHeldEntryEditedInItsDialogLetsGoOfWhatItsPressSent) {
  struct NoRows : RowView {
    void SetRowText(std::uint8_t, const std::string&) override {}
    void SetTurboEnabled(std::uint8_t, bool) override {}
    void SetTurboChecked(std::uint8_t, bool) override {}
  } rows;
  table[1] = {.VCode = 65, .Shift = 17, .Action = ActEmulKey};
  table[2] = {.VCode = 300, .Action = ActEmulClick};
  Press(1), Press(2);
  sink.Take();
  EntryEditor key(table, rows);
  key.CurrentEntry = 1;
  key.Begin();
  key.CaptureKey(66);
  key.AcceptKey();
  EntryEditor mouse(table, rows);
  mouse.CurrentEntry = 2;
  mouse.Begin();
  mouse.PickMouseAction(3);
  mouse.AcceptMouse();
  Release(1), Release(2);
  EXPECT_THAT(sink.Take(), ElementsAre("^k17", "^k65", "m4"));
  Press(1);
  EXPECT_THAT(sink.Take(), ElementsAre("k0", "k66")) << "the next press sends the new binding";
}

// Fewer buttons: what the buttons that go hold is let go of at once; the
// stick's entries move behind the buttons with what they hold, so neither
// they nor the buttons that stay come up or go down again.
TEST_F(DispatchTest, ResizingLetsGoOfTheButtonsThatGoAndMovesTheDirections) {
  BindingTable big{12};
  Pipeline twelve{big, sink, host};
  ScriptedPad pad;
  auto read = [&] { twelve.Read(0, pad, true, 0); };
  big[2] = {.VCode = 65, .Action = ActEmulKey};
  big[10] = {.VCode = 66, .Action = ActEmulKey};
  big[11] = {.VCode = 301, .Action = ActEmulClick};
  big[12] = {.VCode = 67, .Action = ActEmulKey};
  host.turbo[12] = true;
  big[big.EntryLeft] = {.VCode = 901, .Action = ActEmulClick};
  for (int b : {2, 10, 11, 12}) pad.state.buttons.set(static_cast<std::size_t>(b - 1));
  pad.state.axes[AxisX] = -1000;  // the stick pushed left
  read();
  sink.Take();

  twelve.Resize(4, 0);
  EXPECT_THAT(sink.Take(), ElementsAre("^k0", "^k66", "m16")) << "buttons 10 and 11 let go";
  twelve.Advance(1000);
  for (const std::string& e : sink.Take())
    EXPECT_EQ(e.rfind("mv", 0), 0u) << "button 12's repeat stops";
  EXPECT_EQ(big.EntryLeft, 7);
  EXPECT_TRUE(twelve.Edges.Held(0, 7)) << "the Left row moved from 15, still held";
  EXPECT_TRUE(twelve.Edges.Held(0, 2));
  EXPECT_FALSE(twelve.Edges.Held(0, 5));
  EXPECT_NE(twelve.Dispatch.Motion().SpeedX, 0) << "the pointer goes on moving left";
  // Released where they now stand, they let go of what their press did.
  pad.state = {};
  read();
  EXPECT_EQ(twelve.Dispatch.Motion().SpeedX, 0);
  EXPECT_THAT(sink.Take(), ElementsAre("^k0", "^k65"));

  // More buttons: the directions move out again, new buttons start released.
  pad.state.axes[AxisY] = -1000;  // Up, entry 5
  read();
  twelve.Resize(6, 0);
  EXPECT_EQ(big.EntryUp, 7);
  EXPECT_TRUE(twelve.Edges.Held(0, 7));
  EXPECT_FALSE(twelve.Edges.Held(0, 5)) << "Up stood at 5 before; button 5 is new";
  EXPECT_THAT(sink.events, IsEmpty());
}

// The last button that stays, held through the change, neither comes up
// nor goes down again.
TEST_F(DispatchTest, ShrinkingToNButtonsKeepsButtonNHeld) {
  BindingTable big{12};
  Pipeline twelve{big, sink, host};
  ScriptedPad pad;
  big[4] = {.VCode = 65, .Action = ActEmulKey};
  pad.state.buttons.set(3);
  twelve.Read(0, pad, true, 0);
  sink.Take();
  twelve.Resize(4, 0);
  EXPECT_THAT(sink.Take(), IsEmpty());
  EXPECT_TRUE(twelve.Edges.Held(0, 4));
  pad.state = {};
  twelve.Read(0, pad, true, 0);
  EXPECT_THAT(sink.Take(), ElementsAre("^k0", "^k65"));
}

// A release the system refuses (the session is locked) is sent again when
// it takes input again, before anything else goes out.
TEST_F(DispatchTest, ARefusedReleaseIsSentAgainFirst) {
  table[1] = {.VCode = 65, .Shift = 17, .Action = ActEmulKey};
  table[2] = {.VCode = 300, .Action = ActEmulClick};
  table[3] = {.VCode = 66, .Action = ActEmulKey};
  Press(1), Press(2);
  sink.Take();
  sink.refusing = true;
  Release(1), Release(2);
  EXPECT_TRUE(d.Dispatch.HasRefused());
  d.Dispatch.SendRefusedAgain();
  EXPECT_TRUE(d.Dispatch.HasRefused()) << "still locked";
  sink.refusing = false;
  Press(3);
  EXPECT_THAT(sink.Take(), ElementsAre("^k17", "^k65", "m4", "k0", "k66"));
  EXPECT_FALSE(d.Dispatch.HasRefused());
  Release(3);
  sink.refusing = true;
  Press(3);
  sink.refusing = false;
  d.Dispatch.SendRefusedAgain();
  EXPECT_THAT(sink.Take(), ElementsAre("^k0", "^k66")) << "a refused press is not sent again";
}

TEST_F(DispatchTest, ReleaseAllLetsGoOfEverythingHeld) {
  table[1] = {.VCode = 65, .Shift = 17, .Action = ActEmulKey};
  table[2] = {.VCode = 301, .Action = ActEmulClick};
  table[3] = {.VCode = 904, .Action = ActEmulClick};
  table[4] = {.VCode = 66, .Action = ActEmulKey};
  host.turbo[4] = true;
  Press(1), Press(2), Press(3), Press(4);
  sink.Take();
  d.ReleaseAll(now);
  EXPECT_THAT(sink.Take(), ElementsAre("^k17", "^k65", "m16"));
  EXPECT_FALSE(Due());
  EXPECT_EQ(d.Dispatch.Motion().SpeedY, 0);
  d.ReleaseAll(now);
  Release(1);
  EXPECT_THAT(sink.events, IsEmpty()) << "nothing is released twice";
}

// The keys a real keyboard sends with the E0 prefix, and neighbours without it.
TEST(ExtendedKeys, AreTheKeysWithThePrefixOnARealKeyboard) {
  using Named = std::pair<int, const char*>;
  const Named extended[] = {{0x25, "Left"},          {0x26, "Up"},           {0x27, "Right"},
                            {0x28, "Down"},          {0x2D, "Insert"},       {0x2E, "Delete"},
                            {0x24, "Home"},          {0x23, "End"},          {0x21, "Page Up"},
                            {0x22, "Page Down"},     {0xA3, "right Ctrl"},   {0xA5, "right Alt"},
                            {0x6F, "keypad /"},      {0x90, "Num Lock"},     {0x5B, "left Windows"},
                            {0x5C, "right Windows"}, {0x5D, "Applications"}, {0x2C, "Print Screen"},
                            {0xA6, "Browser Back"},  {0xAD, "Volume Mute"},  {0xB3, "Play/Pause"},
                            {0xB7, "Launch App2"}};
  const Named plain[] = {{0x0D, "either Enter"}, {0x41, "A"},         {0x11, "Ctrl"},
                         {0x12, "Alt"},          {0xA2, "left Ctrl"}, {0xA4, "left Alt"},
                         {0xA1, "right Shift"},  {0x60, "keypad 0"},  {0x68, "keypad 8"},
                         {0x6A, "keypad *"},     {0x6E, "keypad ."},  {0x13, "Pause"},
                         {0x91, "Scroll Lock"},  {0x20, "Space"},     {0x2F, "Help"},
                         {0xB8, "after App2"},   {0, "none"}};
  for (const auto& [vk, name] : extended)
    EXPECT_TRUE(IsExtendedKey(static_cast<std::uint8_t>(vk))) << name;
  for (const auto& [vk, name] : plain)
    EXPECT_FALSE(IsExtendedKey(static_cast<std::uint8_t>(vk))) << name;
}

// The modifier-less event keeps scan code 0; a key turned off meanwhile
// still comes up as it went down.
TEST_F(DispatchTest, AKeyComesUpWithTheScanCodeItWentDownWith) {
  table[1] = {.VCode = 37, .Action = ActEmulKey};
  Press(1);
  d.Dispatch.Settings.scanCodes = false;
  Release(1);
  Press(1);
  Release(1);
  EXPECT_THAT(sink.TakeKeys(), ElementsAre("k0/0", "k37/38e", "^k0/0", "^k37/38e",  //
                                           "k0/0", "k37/0", "^k0/0", "^k37/0"));
}

}  // namespace
}  // namespace vantrel

#include "actions/Pipeline.h"

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

using ::testing::ElementsAre;
using ::testing::IsEmpty;

// Records injected input as short texts: "k17" key down, "^k17" key up,
// "m2" mouse flags, "mv3,0" a move, "w120" the wheel; and the keys again
// with their scan codes: "k37/75e" for extended.
// While `refusing`, the system takes nothing (a locked session): nothing
// is recorded and every call answers false.
struct Recorder : InputSink {
  bool SendKeys(std::span<const KeyStroke> strokes) override {
    if (refusing) return false;
    for (const KeyStroke& k : strokes) {
      const std::string key =
          std::string(k.flags & kKeyEventKeyUp ? "^k" : "k") + std::to_string(k.vk);
      events.push_back(key);
      keys.push_back(key + "/" + std::to_string(k.scan) +
                     (k.flags & kKeyEventExtendedKey ? "e" : ""));
    }
    ++calls;
    return true;
  }
  // A layout in which every key's scan code is its virtual-key code plus one.
  std::uint8_t ScanCode(std::uint8_t vk) override { return static_cast<std::uint8_t>(vk + 1); }
  bool MouseEvent(std::uint32_t flags, std::int32_t dx, std::int32_t dy,
                  std::int32_t data) override {
    if (refusing) return false;
    if (flags == kMouseMove)
      events.push_back("mv" + std::to_string(dx) + "," + std::to_string(dy));
    else if (flags == kMouseWheel)
      events.push_back("w" + std::to_string(data));
    else
      events.push_back("m" + std::to_string(flags));
    return true;
  }
  bool refusing = false;
  int calls = 0;  // SendKeys calls taken
  std::vector<std::string> Take() { return std::exchange(events, {}); }
  std::vector<std::string> TakeKeys() { return std::exchange(keys, {}); }
  std::vector<std::string> events, keys;
};

struct Host : ActionHost {
  void SetRowHeld(std::uint8_t e, bool h) override { held[e] = h; }
  bool TurboChecked(std::uint8_t e) const override { return turbo.contains(e) && turbo.at(e); }
  std::string RowText(std::uint8_t e) const override { return rows.contains(e) ? rows.at(e) : ""; }
  void SetRowText(std::uint8_t e, const std::string& t) override { rows[e] = t; }
  void LoadProfile(const std::string& path, std::uint8_t skip) override {
    loads.push_back(path);
    skipped = skip;
    if (onLoad) onLoad(path);
  }
  void ProfileSwitched(const std::string& cur, const std::string& next) override {
    popup.push_back(cur + " / " + next);
  }
  void Launch(const std::string& command) override { launched.push_back(command); }

  std::map<int, bool> held, turbo;
  std::map<int, std::string> rows;
  std::vector<std::string> loads, popup, launched;
  std::function<void(const std::string&)> onLoad;
  int skipped = -1;
};

// A pad whose reads give the state the test sets.
struct ScriptedPad : PadReader {
  bool Read(Millis) override { return true; }
  const PadState& State() const override { return state; }
  const std::vector<PadState>& Passed() const override { return passed; }
  const PadControls& Controls() const override { return controls; }
  PadState state;
  std::vector<PadState> passed;
  PadControls controls;
};

class DispatchTest : public ::testing::Test {
 protected:
  void Press(int e) { Edge(e, 1); }
  void Release(int e) { Edge(e, 0); }
  // An edge of entry `e` at the time now, as the edge stage gives it.
  void Edge(int e, bool down) { d.Feed({0, static_cast<std::uint8_t>(e), down, now}); }
  // Moves the clock to `t`, as the message loop does when something is due.
  void At(Millis t) {
    now = t;
    d.Advance(t);
  }
  // One step of the accelerating pointer: 7 ms on.
  void Step() { At(now + kPointerPeriodMs); }
  bool Due() const { return d.NextDue() != kNever; }
  // The moves of `steps` steps of 7 ms, "dx,dy" each (a still step is "0,0").
  std::vector<std::string> Moves(int steps) {
    std::vector<std::string> moves;
    for (int i = 0; i < steps; ++i) {
      sink.events.clear();
      Step();
      moves.push_back(sink.events.empty() ? "0,0" : sink.events.front().substr(2));
    }
    sink.events.clear();
    return moves;
  }
  // One axis of those moves.
  std::vector<int> Steps(int steps, bool xAxis = true) {
    std::vector<int> axis;
    for (const std::string& mv : Moves(steps)) {
      const auto comma = mv.find(',');
      axis.push_back(std::stoi(xAxis ? mv.substr(0, comma) : mv.substr(comma + 1)));
    }
    return axis;
  }
  Millis now = 0;
  BindingTable table{4};
  Recorder sink;
  Host host;
  Pipeline d{table, sink, host};
};

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

TEST_F(DispatchTest, MouseButtonsAndWheel) {
  table[1] = {.VCode = 300, .Action = ActEmulClick};
  table[2] = {.VCode = 301, .Action = ActEmulClick};
  Press(1);
  Release(1);
  Press(2);
  Release(2);
  for (std::uint16_t code : {905, 906, 907}) {
    table[3] = {.VCode = code, .Action = ActEmulClick};
    Press(3);
    Release(3);
  }
  EXPECT_THAT(sink.Take(), ElementsAre("m2", "m4", "m8", "m16", "w1", "w1", "w120"));
}

TEST_F(DispatchTest, PointerAcceleratesToTheTopSpeed) {
  table[1] = {.VCode = 902, .Action = ActEmulClick};
  Press(1);
  const std::vector<int> steps = Steps(100);
  EXPECT_THAT(std::vector<int>(steps.begin(), steps.begin() + 5), ElementsAre(0, 0, 0, 0, 1))
      << "0.5 rounds to even, 0.6 to one";
  EXPECT_NEAR(d.Dispatch.Motion().SpeedX, 8.1, 1e-9) << "the top is tested before the addition";
  EXPECT_EQ(steps[79], 8);
  EXPECT_EQ(steps[99], 8);
  Release(1);
  EXPECT_EQ(d.Dispatch.Motion().SpeedX, 0);
  EXPECT_THAT(Steps(3), ElementsAre(0, 0, 0));
  EXPECT_THAT(sink.events, IsEmpty()) << "a still pointer injects nothing";
}

TEST_F(DispatchTest, TwoAxesSettleAtSixAndReleaseIndependently) {
  table[1] = {.VCode = 902, .Action = ActEmulClick};
  table[2] = {.VCode = 904, .Action = ActEmulClick};
  Press(1);
  Press(2);
  for (int i = 0; i < 200; ++i) Step();
  EXPECT_THAT(sink.Take().back(), "mv6,6");
  Release(1);
  Step();
  EXPECT_THAT(sink.Take(), ElementsAre("mv0,6")) << "only the released axis stops";
}

TEST_F(DispatchTest, TheOppositeDirectionTurnsTheAxisRound) {
  table[1] = {.VCode = 901, .Action = ActEmulClick};
  table[2] = {.VCode = 902, .Action = ActEmulClick};
  Press(1);
  for (int i = 0; i < 30; ++i) Step();
  Press(2);
  EXPECT_DOUBLE_EQ(d.Dispatch.Motion().SpeedX, 0.1);
  Release(2);
  EXPECT_EQ(d.Dispatch.Motion().SpeedX, 0) << "releasing either direction stops the axis";
}

TEST_F(DispatchTest, NoAccelerationNeverMoves) {
  d.Dispatch.Settings.mouseAcceleration = 0;
  table[1] = {.VCode = 903, .Action = ActEmulClick};
  Press(1);
  for (int i = 0; i < 50; ++i) Step();
  EXPECT_THAT(sink.events, IsEmpty());
  EXPECT_DOUBLE_EQ(d.Dispatch.Motion().SpeedY, -0.1);
}

TEST_F(DispatchTest, EveryDirectionStartsSlowlyWithItsOwnSign) {
  struct Case {
    std::uint16_t code;
    const char* step;  // the move once the speed rounds to one unit
  };
  for (Case c : {Case{901, "-1,0"}, Case{902, "1,0"}, Case{903, "0,-1"}, Case{904, "0,1"}}) {
    SCOPED_TRACE(c.code);
    table[1] = {.VCode = c.code, .Action = ActEmulClick};
    Press(1);
    // 0.2, 0.3, 0.4 and 0.5 round to 0; 0.6 is the first visible step.
    EXPECT_THAT(Moves(7), ElementsAre("0,0", "0,0", "0,0", "0,0", c.step, c.step, c.step));
    Release(1);
  }
}

TEST_F(DispatchTest, ThePointerIsDueOnlyWhileAnAxisMoves) {
  table[1] = {.VCode = 902, .Action = ActEmulClick};  // right
  table[2] = {.VCode = 904, .Action = ActEmulClick};  // down
  table[3] = {.VCode = 901, .Action = ActEmulClick};  // left
  table[4] = {.VCode = 300, .Action = ActEmulClick};
  struct Change {
    int entry;
    std::uint8_t pressed;
    bool timerOn;  // whether the pointer asks to run again
  };
  const Change steps[] = {
      {4, 1, false},
      {4, 0, false},  // a button moves nothing
      {1, 1, true},
      {2, 1, true},
      {1, 0, true},
      {4, 1, true},
      {4, 0, true},
      {2, 0, false},
      // The opposite direction's release stops the axis with Left still held.
      {3, 1, true},
      {1, 1, true},
      {1, 0, false},
      {3, 0, false},
  };
  EXPECT_FALSE(Due()) << "still at start-up";
  for (const Change& c : steps) {
    SCOPED_TRACE(testing::Message() << c.entry << (c.pressed ? " down" : " up"));
    Edge(c.entry, c.pressed);
    EXPECT_EQ(Due(), c.timerOn);
  }
}

TEST_F(DispatchTest, APointerThatSleptStartsExactlyAsAFreshOne) {
  table[1] = {.VCode = 902, .Action = ActEmulClick};
  table[2] = {.VCode = 904, .Action = ActEmulClick};
  // The loop runs the dispatcher only when it is due, as the message loop does.
  auto ticked = [&](int ticks) {
    std::vector<std::string> moves;
    for (int i = 0; i < ticks; ++i) {
      if (!Due()) continue;
      sink.events.clear();
      At(d.NextDue());
      moves.push_back(sink.events.empty() ? "0,0" : sink.events.front().substr(2));
    }
    sink.events.clear();
    return moves;
  };
  Press(1);
  const auto fresh = ticked(100);
  Release(1);
  EXPECT_THAT(ticked(1000), IsEmpty()) << "no ticks while nothing moves";
  Press(1);
  EXPECT_EQ(ticked(100), fresh);
  EXPECT_THAT(std::vector<std::string>(fresh.begin(), fresh.begin() + 5),
              ElementsAre("0,0", "0,0", "0,0", "0,0", "1,0"));
  EXPECT_EQ(fresh.back(), "8,0");
  Press(2);
  Release(1);
  Release(2);
  EXPECT_FALSE(Due());

  // An acceleration against the direction brings the axis to a stop by
  // itself; its timer stops with it.
  d.Dispatch.Settings.mouseAcceleration = -0.1;
  Press(1);
  EXPECT_THAT(ticked(5), ElementsAre("0,0"));
  EXPECT_FALSE(Due());
}

TEST_F(DispatchTest, TheTopSpeedReachedExactlyStopsTheGrowth) {
  d.Dispatch.Settings.mouseAcceleration = 0.9;
  d.Dispatch.Settings.mouseTopSpeed = 1;
  struct Case {
    std::uint16_t code;
    const char* step;
  };
  for (Case c : {Case{901, "-1,0"}, Case{902, "1,0"}, Case{903, "0,-1"}, Case{904, "0,1"}}) {
    SCOPED_TRACE(c.code);
    table[1] = {.VCode = c.code, .Action = ActEmulClick};
    Press(1);
    // 0.1 + 0.9 is exactly 1: the top, so nothing more is added.
    EXPECT_THAT(Moves(4), ElementsAre(c.step, c.step, c.step, c.step));
    EXPECT_DOUBLE_EQ(std::abs(d.Dispatch.Motion().SpeedX + d.Dispatch.Motion().SpeedY), 1.0);
    Release(1);
  }
}

TEST_F(DispatchTest, HandEditedMouseSettingsStayWithinTheMovesRange) {
  constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
  constexpr double kInf = std::numeric_limits<double>::infinity();
  const std::string max = std::to_string(std::numeric_limits<std::int32_t>::max());
  const std::string min = std::to_string(std::numeric_limits<std::int32_t>::min());
  struct Case {
    double accel, top;
    std::uint16_t code;
    std::string last;  // the move of the last of 20 ticks
  };
  for (const Case& c :
       {Case{1e10, 1e300, 902, max + ",0"}, Case{1e10, 1e300, 901, min + ",0"},
        Case{1e300, 1e308, 903, "0," + min}, Case{1.7e308, 1.79e308, 904, "0," + max},
        Case{kNaN, 8, 902, "0,0"}, Case{kInf, 8, 902, "0,0"}, Case{-kInf, 8, 901, "0,0"},
        Case{0.5, kNaN, 902, "0,0"}, Case{0.5, kInf, 902, "0,0"}, Case{0.5, -1, 902, "0,0"}}) {
    SCOPED_TRACE(testing::Message() << c.accel << " " << c.top << " " << c.code);
    d.Dispatch.Settings.mouseAcceleration = c.accel;
    d.Dispatch.Settings.mouseTopSpeed = c.top;
    table[1] = {.VCode = c.code, .Action = ActEmulClick};
    Press(1);
    EXPECT_EQ(Moves(20).back(), c.last);
    Release(1);
  }
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

// A stick as a pointer takes its two axes as one vector, from their raw
// positions and scaled to their range, with a round dead zone: a full push
// in any direction is the top speed, and the pointer goes the stick's way.
TEST_F(DispatchTest, TheStickPointerGoesTheWayTheStickIsPushedAtItsFullSpeed) {
  table[table.EntryRight] = {.VCode = kPointerStickCode, .Action = ActEmulClick};
  struct Case {
    double degrees;   // above the horizontal
    double fraction;  // of the travel
    double range;     // the values the end of the travel reads
    double speed;     // per 7 ms
  };
  const Case cases[] = {
      {0, 1, 1000, 8},        {45, 1, 1000, 8},    {20, 1, 1000, 8},
      {70, 1, 1000, 8},       {45, 1, 500, 8},     {200, 1, 500, 8},
      {20, 0.5, 1000, 1.125}, {135, 0.2, 1000, 0}, {300, 0.6, 1000, 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message()
                 << c.degrees << " degrees, " << c.fraction << " of range " << c.range);
    const double radians = c.degrees * 3.14159265358979 / 180;
    std::array<std::int32_t, kControllerAxes> axes{};
    axes[AxisX] = static_cast<std::int32_t>(std::lround(c.fraction * c.range * std::cos(radians)));
    axes[AxisY] = static_cast<std::int32_t>(std::lround(-c.fraction * c.range * std::sin(radians)));
    StickReaches reaches{};
    reaches[0] = {c.range, c.range, 20};  // a dead zone of 20 %
    const Millis start = now;
    d.Dispatch.FollowSticks(axes, reaches);
    double dx = 0, dy = 0;
    for (Millis t = start + 16; t <= start + 7000; t += 16) {
      At(t);
      for (const std::string& mv : sink.Take()) {
        const auto comma = mv.find(',');
        dx += std::stoi(mv.substr(2, comma - 2));
        dy += std::stoi(mv.substr(comma + 1));
      }
    }
    EXPECT_NEAR(std::hypot(dx, dy) / 1000, c.speed, 0.02);
    if (c.speed > 0) {
      EXPECT_NEAR(std::atan2(-dy, dx), std::atan2(std::sin(radians), std::cos(radians)), 0.02)
          << "within about a degree of the stick's direction";
    }
    d.Dispatch.FollowSticks({}, reaches);
    At(now + 100);
    sink.Take();
  }
}

// Unbound by an edit, a switch or an Off rule, the pointer stops at once,
// not at the next read of the controller.
TEST_F(DispatchTest, AnUnboundPointerStickStopsAtOnce) {
  table[table.EntryUp] = {.VCode = kPointerStickCode, .Action = ActEmulClick};
  std::array<std::int32_t, kControllerAxes> axes{};
  axes[AxisX] = 1000;
  d.Dispatch.FollowSticks(axes, StickReaches{});
  At(70);
  EXPECT_THAT(sink.Take(), ElementsAre("mv80,0"));
  d.Dispatch.Quiet = true;
  At(77);
  EXPECT_THAT(sink.Take(), IsEmpty());
  EXPECT_FALSE(Due());
  d.Dispatch.Quiet = false;
  At(84);
  At(91);
  EXPECT_THAT(sink.Take(), ElementsAre("mv8,0")) << "moving again from 84";
  table[table.EntryUp] = {};
  At(98);
  EXPECT_THAT(sink.Take(), IsEmpty());
  EXPECT_FALSE(Due());
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

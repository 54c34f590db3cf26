#include "actions/Dispatch.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

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
struct Recorder : InputSink {
  void KeybdEvent(std::uint8_t vk, std::uint8_t scan, std::uint32_t flags) override {
    const std::string key = std::string(flags & kKeyEventKeyUp ? "^k" : "k") + std::to_string(vk);
    events.push_back(key);
    keys.push_back(key + "/" + std::to_string(scan) + (flags & kKeyEventExtendedKey ? "e" : ""));
  }
  // A layout in which every key's scan code is its virtual-key code plus one.
  std::uint8_t ScanCode(std::uint8_t vk) override { return static_cast<std::uint8_t>(vk + 1); }
  void MouseEvent(std::uint32_t flags, std::int32_t dx, std::int32_t dy,
                  std::int32_t data) override {
    if (flags == kMouseMove)
      events.push_back("mv" + std::to_string(dx) + "," + std::to_string(dy));
    else if (flags == kMouseWheel)
      events.push_back("w" + std::to_string(data));
    else
      events.push_back("m" + std::to_string(flags));
  }
  std::vector<std::string> Take() { return std::exchange(events, {}); }
  std::vector<std::string> TakeKeys() { return std::exchange(keys, {}); }
  std::vector<std::string> events, keys;
};

struct Host : ActionHost {
  void SetRowHeld(std::uint8_t e, bool h) override { held[e] = h; }
  bool TurboChecked(std::uint8_t e) const override { return turbo.contains(e) && turbo.at(e); }
  std::string RowText(std::uint8_t e) const override { return rows.contains(e) ? rows.at(e) : ""; }
  void SetRowText(std::uint8_t e, const std::string& t) override { rows[e] = t; }
  void EnableTurboTimer(bool on) override { turboOn = on; }
  void SetMouseInterval(unsigned ms) override { mouseInterval = ms; }
  void EnableMouseTimer(bool on) override { mouseTimerOn = on; }
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
  bool turboOn = false;
  unsigned mouseInterval = 10;
  bool mouseTimerOn = false;
  std::vector<std::string> loads, popup, launched;
  std::function<void(const std::string&)> onLoad;
  int skipped = -1;
};

class DispatchTest : public ::testing::Test {
 protected:
  void Press(int e) { Edge(e, 1); }
  void Release(int e) { Edge(e, 0); }
  void Edge(int e, std::uint8_t pressed) {
    table[static_cast<std::uint8_t>(e)].Pressed = pressed;
    d.JoyButtonPress(e);
  }
  BindingTable table{4};
  Recorder sink;
  Host host;
  Dispatcher d{table, sink, host};
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

TEST_F(DispatchTest, TurboTapsOncePerIntervalWhileHeld) {
  table[1] = {.VCode = 66, .Action = ActEmulKey};
  host.turbo[1] = true;
  Press(1);
  EXPECT_THAT(sink.events, IsEmpty()) << "nothing before the first interval";
  EXPECT_TRUE(host.turboOn);
  // A 350 ms hold at 100 ms: ticks at 100, 200 and 300 ms.
  for (int ms = 1; ms <= 350; ++ms)
    if (host.turboOn && ms % 100 == 0) d.tmrTurboTimer();
  Release(1);
  EXPECT_FALSE(host.turboOn);
  d.tmrTurboTimer();  // a tick already queued when the timer stopped
  EXPECT_THAT(sink.Take(), ElementsAre("k0", "k66", "^k0", "^k66", "k0", "k66", "^k0", "^k66", "k0",
                                       "k66", "^k0", "^k66"));
}

TEST_F(DispatchTest, TheLaterTurboPressTakesOverAndEitherReleaseStops) {
  table[1] = {.VCode = 65, .Action = ActEmulKey};
  table[2] = {.VCode = 66, .Action = ActEmulKey};
  host.turbo[1] = host.turbo[2] = true;
  Press(1);
  Press(2);
  EXPECT_EQ(d.TurboEntry, 2);
  d.tmrTurboTimer();
  EXPECT_THAT(sink.Take(), ElementsAre("k0", "k66", "^k0", "^k66"));
  Release(1);
  EXPECT_FALSE(host.turboOn);
  d.tmrTurboTimer();
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

std::vector<int> Steps(Dispatcher& d, Recorder& sink, int ticks, bool xAxis = true) {
  std::vector<int> steps;
  for (int i = 0; i < ticks; ++i) {
    sink.events.clear();
    d.tmrMouseTimer();
    if (sink.events.empty()) {
      steps.push_back(0);
      continue;
    }
    const std::string& mv = sink.events.front();
    const auto comma = mv.find(',');
    steps.push_back(std::stoi(xAxis ? mv.substr(2, comma - 2) : mv.substr(comma + 1)));
  }
  return steps;
}

TEST_F(DispatchTest, PointerAcceleratesToTheTopSpeed) {
  table[1] = {.VCode = 902, .Action = ActEmulClick};
  Press(1);
  EXPECT_EQ(host.mouseInterval, 5u);
  const std::vector<int> steps = Steps(d, sink, 100);
  EXPECT_THAT(std::vector<int>(steps.begin(), steps.begin() + 5), ElementsAre(0, 0, 0, 0, 1))
      << "0.5 rounds to even, 0.6 to one";
  EXPECT_NEAR(d.Motion().SpeedX, 8.1, 1e-9) << "the top is tested before the addition";
  EXPECT_EQ(steps[79], 8);
  EXPECT_EQ(steps[99], 8);
  Release(1);
  EXPECT_EQ(d.Motion().SpeedX, 0);
  EXPECT_THAT(Steps(d, sink, 3), ElementsAre(0, 0, 0));
  EXPECT_THAT(sink.events, IsEmpty()) << "a still pointer injects nothing";
}

TEST_F(DispatchTest, TwoAxesSettleAtSixAndReleaseIndependently) {
  table[1] = {.VCode = 902, .Action = ActEmulClick};
  table[2] = {.VCode = 904, .Action = ActEmulClick};
  Press(1);
  Press(2);
  EXPECT_EQ(host.mouseInterval, 7u);
  for (int i = 0; i < 200; ++i) d.tmrMouseTimer();
  EXPECT_THAT(sink.Take().back(), "mv6,6");
  Release(1);
  EXPECT_EQ(host.mouseInterval, 5u);
  d.tmrMouseTimer();
  EXPECT_THAT(sink.Take(), ElementsAre("mv0,6")) << "only the released axis stops";
}

TEST_F(DispatchTest, TheOppositeDirectionTurnsTheAxisRound) {
  table[1] = {.VCode = 901, .Action = ActEmulClick};
  table[2] = {.VCode = 902, .Action = ActEmulClick};
  Press(1);
  for (int i = 0; i < 30; ++i) d.tmrMouseTimer();
  Press(2);
  EXPECT_DOUBLE_EQ(d.Motion().SpeedX, 0.1);
  Release(2);
  EXPECT_EQ(d.Motion().SpeedX, 0) << "releasing either direction stops the axis";
}

TEST_F(DispatchTest, NoAccelerationNeverMoves) {
  d.MAccelarate = 0;
  table[1] = {.VCode = 903, .Action = ActEmulClick};
  Press(1);
  for (int i = 0; i < 50; ++i) d.tmrMouseTimer();
  EXPECT_THAT(sink.events, IsEmpty());
  EXPECT_DOUBLE_EQ(d.Motion().SpeedY, -0.1);
}

// The moves of `ticks` ticks, "dx,dy" each (a still tick is "0,0").
std::vector<std::string> Moves(Dispatcher& d, Recorder& sink, int ticks) {
  std::vector<std::string> moves;
  for (int i = 0; i < ticks; ++i) {
    sink.events.clear();
    d.tmrMouseTimer();
    moves.push_back(sink.events.empty() ? "0,0" : sink.events.front().substr(2));
  }
  sink.events.clear();
  return moves;
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
    EXPECT_THAT(Moves(d, sink, 7), ElementsAre("0,0", "0,0", "0,0", "0,0", c.step, c.step, c.step));
    Release(1);
  }
}

TEST_F(DispatchTest, ThePointerTimerRunsOnlyWhileAnAxisMoves) {
  table[1] = {.VCode = 902, .Action = ActEmulClick};  // right
  table[2] = {.VCode = 904, .Action = ActEmulClick};  // down
  table[3] = {.VCode = 901, .Action = ActEmulClick};  // left
  table[4] = {.VCode = 300, .Action = ActEmulClick};
  struct Step {
    int entry;
    std::uint8_t pressed;
    bool timerOn;
  };
  const Step steps[] = {
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
  EXPECT_FALSE(host.mouseTimerOn) << "still at start-up";
  for (const Step& s : steps) {
    SCOPED_TRACE(testing::Message() << s.entry << (s.pressed ? " down" : " up"));
    Edge(s.entry, s.pressed);
    EXPECT_EQ(host.mouseTimerOn, s.timerOn);
  }
}

TEST_F(DispatchTest, APointerThatSleptStartsExactlyAsAFreshOne) {
  table[1] = {.VCode = 902, .Action = ActEmulClick};
  table[2] = {.VCode = 904, .Action = ActEmulClick};
  // Ticks arrive only while the host's timer runs, as the message loop's do.
  auto ticked = [&](int ticks) {
    std::vector<std::string> moves;
    for (int i = 0; i < ticks; ++i) {
      if (!host.mouseTimerOn) continue;
      sink.events.clear();
      d.tmrMouseTimer();
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
  EXPECT_EQ(host.mouseInterval, 7u);
  Release(1);
  Release(2);
  EXPECT_EQ(host.mouseInterval, 5u);
  EXPECT_FALSE(host.mouseTimerOn);

  // An acceleration against the direction brings the axis to a stop by
  // itself; its timer stops with it.
  d.MAccelarate = -0.1;
  Press(1);
  EXPECT_THAT(ticked(5), ElementsAre("0,0"));
  EXPECT_FALSE(host.mouseTimerOn);
}

TEST_F(DispatchTest, TheTopSpeedReachedExactlyStopsTheGrowth) {
  d.MAccelarate = 0.9;
  d.MSpeed = 1;
  struct Case {
    std::uint16_t code;
    const char* step;
  };
  for (Case c : {Case{901, "-1,0"}, Case{902, "1,0"}, Case{903, "0,-1"}, Case{904, "0,1"}}) {
    SCOPED_TRACE(c.code);
    table[1] = {.VCode = c.code, .Action = ActEmulClick};
    Press(1);
    // 0.1 + 0.9 is exactly 1: the top, so nothing more is added.
    EXPECT_THAT(Moves(d, sink, 4), ElementsAre(c.step, c.step, c.step, c.step));
    EXPECT_DOUBLE_EQ(std::abs(d.Motion().SpeedX + d.Motion().SpeedY), 1.0);
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
    d.MAccelarate = c.accel;
    d.MSpeed = c.top;
    table[1] = {.VCode = c.code, .Action = ActEmulClick};
    Press(1);
    EXPECT_EQ(Moves(d, sink, 20).back(), c.last);
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
  EXPECT_EQ(d.INIIndex, 2);
  Press(3);
  EXPECT_EQ(host.loads.back(), "C:\\Q\\one.ini") << "the high index wraps to the first file";
  EXPECT_EQ(host.popup.back(), "Current: two.ini / Next: two.ini");
}

TEST_F(ProfileSwitchTest, ARefusedRecordOfTheProfileStillEndsTheSwitch) {
  host.onLoad = [](const std::string&) { throw AppError("Unable to write to C:\\Vantrel.set"); };
  EXPECT_THROW(Press(2), AppError) << "the failure is passed on, after the switch";
  EXPECT_EQ(d.INIIndex, 1);
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
    d.INIIndex = stray;
    Press(2);
    Release(2);
    EXPECT_EQ(host.loads.back(), "C:\\P\\alpha.ini");
  }
}

TEST_F(ProfileSwitchTest, APathTooLongToNameAFileIsNoProfileToSwitchTo) {
  table[2].INI[1] = "C:\\" + std::string(300, 'p') + ".ini";
  Press(2);
  EXPECT_THAT(host.loads, IsEmpty());
  EXPECT_EQ(d.INIIndex, 0);
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
    table[1] = {.VCode = 90, .Action = ActEmulKey, .Pressed = 1};
    table[3] = {.VCode = 301, .Action = ActEmulClick, .Pressed = 1};
    table[4] = {.VCode = 67, .Action = ActEmulKey, .Pressed = 1};
    host.turbo[4] = false;
  };
  Press(2);
  sink.Take();
  Release(1);
  Release(3);
  Release(4);
  EXPECT_THAT(sink.Take(), ElementsAre("^k16", "^k65", "m4"));
  EXPECT_FALSE(host.turboOn) << "the repeat that started stops";
}

TEST_F(DispatchTest, AnEntryPressedBeforeAChangeAndReleasedAfterSendsNothingNew) {
  table[1] = {.Action = ActNone};
  Press(1);
  table[1] = {.VCode = 65, .Action = ActEmulKey, .Pressed = 1};
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
  table.CurrentEntry = 1;
  EntryEditor key(table, rows);
  key.Begin();
  key.CaptureKey(66);
  key.AcceptKey();
  table.CurrentEntry = 2;
  EntryEditor mouse(table, rows);
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
  Dispatcher twelve{big, sink, host};
  auto press = [&](int e) {
    big[static_cast<std::uint8_t>(e)].Pressed = 1;
    twelve.JoyButtonPress(e);
  };
  big[2] = {.VCode = 65, .Action = ActEmulKey};
  big[10] = {.VCode = 66, .Action = ActEmulKey};
  big[11] = {.VCode = 301, .Action = ActEmulClick};
  big[12] = {.VCode = 67, .Action = ActEmulKey};
  host.turbo[12] = true;
  big[big.EntryLeft] = {.VCode = 901, .Action = ActEmulClick};
  for (int e : {2, 10, 11, 12, static_cast<int>(big.EntryLeft)}) press(e);
  sink.Take();

  twelve.Resize(4);
  EXPECT_THAT(sink.Take(), ElementsAre("^k0", "^k66", "m16")) << "buttons 10 and 11 let go";
  EXPECT_FALSE(host.turboOn) << "button 12's repeat stops";
  EXPECT_EQ(big.EntryLeft, 7);
  EXPECT_EQ(big[7].Pressed, 1) << "the Left row moved from 15, still held";
  EXPECT_EQ(big[2].Pressed, 1);
  EXPECT_EQ(big[5].Pressed, 0);
  EXPECT_NE(twelve.Motion().SpeedX, 0) << "the pointer goes on moving left";
  // Released where they now stand, they let go of what their press did.
  big[7].Pressed = 0, twelve.JoyButtonPress(7);
  big[2].Pressed = 0, twelve.JoyButtonPress(2);
  EXPECT_EQ(twelve.Motion().SpeedX, 0);
  EXPECT_THAT(sink.Take(), ElementsAre("^k0", "^k65"));

  // More buttons: the directions move out again, new buttons start released.
  press(big.EntryUp);
  twelve.Resize(6);
  EXPECT_EQ(big.EntryUp, 7);
  EXPECT_EQ(big[7].Pressed, 1);
  EXPECT_EQ(big[5].Pressed, 0) << "Up stood at 5 before; button 5 is new";
  EXPECT_THAT(sink.events, IsEmpty());
}

TEST_F(DispatchTest, ReleaseAllLetsGoOfEverythingHeld) {
  table[1] = {.VCode = 65, .Shift = 17, .Action = ActEmulKey};
  table[2] = {.VCode = 301, .Action = ActEmulClick};
  table[3] = {.VCode = 904, .Action = ActEmulClick};
  table[4] = {.VCode = 66, .Action = ActEmulKey};
  host.turbo[4] = true;
  Press(1), Press(2), Press(3), Press(4);
  sink.Take();
  d.ReleaseAll();
  EXPECT_THAT(sink.Take(), ElementsAre("^k17", "^k65", "m16"));
  EXPECT_FALSE(host.turboOn);
  EXPECT_EQ(d.Motion().SpeedY, 0);
  d.ReleaseAll();
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
  d.ScanCodes = false;
  Release(1);
  Press(1);
  Release(1);
  EXPECT_THAT(sink.TakeKeys(), ElementsAre("k0/0", "k37/38e", "^k0/0", "^k37/38e",  //
                                           "k0/0", "k37/0", "^k0/0", "^k37/0"));
}

}  // namespace
}  // namespace vantrel

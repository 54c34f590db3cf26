// Tap, hold, double tap and chords played to the real program: one button
// gives one key when tapped and another when held, a second press makes a
// double tap, two buttons together type the chord's key and neither of
// their own, and an entry with none of these types the moment it is pressed.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "e2e/Controller_win.h"

namespace vantrel::test {
namespace {

using Lines = std::vector<std::string>;

constexpr int kA = 'A', kB = 'B', kC = 'C', kD = 'D', kE = 'E', kG = 'G', kH = 'H', kI = 'I';

Lines Typed(int vcode) {
  return {"key down " + std::to_string(vcode), "key up " + std::to_string(vcode)};
}

// The key lines of a recorder that gives times ("key down 66 at 1234"),
// without them.
Lines Untimed(const Lines& lines) {
  Lines keys;
  for (const std::string& line : lines) keys.push_back(line.substr(0, line.find(" at ")));
  return RealKeys(keys);
}

// The time of the first line that starts with `event` ("key up 66").
long TimeOf(const Lines& lines, const std::string& event) {
  long at = -1;
  for (const std::string& line : lines)
    if (line.rfind(event + " at ", 0) == 0 &&
        std::sscanf(line.c_str() + event.size(), " at %ld", &at) == 1)
      return at;
  return at;
}

class Activators : public ControllerTest {
 protected:
  Activators() : ControllerTest(false, true) {}

  // Button 1 types A; button 2 taps B and holds C; button 3 taps D and
  // double taps E; buttons 5 and 6 type H and I, and together G. The
  // windows are long, so that a loaded machine still plays each gesture
  // inside them; the tap keeps its key down 100 ms.
  void StartActivated() {
    const std::string profile =
        "[Bind]\r\n" + Key(1, kA) + Key(2, kB) +
        "Button2.Hold.Action=3\r\nButton2.Hold.VCode=" + std::to_string(kC) + "\r\n" + Key(3, kD) +
        "Button3.Double.Action=3\r\nButton3.Double.VCode=" + std::to_string(kE) + "\r\n" +
        Key(5, kH) + Key(6, kI) + "[Chords]\r\nChord1=Button5+Button6\r\nChord1.Action=3\r\n" +
        "Chord1.VCode=" + std::to_string(kG) + "\r\n";
    Start(profile,
          "Popup=0\r\nNumOfButtons=6\r\nHoldTime=1000\r\nDoubleTime=1000\r\nTapTime=100\r\n"
          "ChordTime=200\r\n");
  }
  // Both buttons change in one read of the controller.
  void Together(int first, int second, bool down) {
    program.Joystick().buttons[first - 1] = down ? 0x80 : 0;
    program.Joystick().buttons[second - 1] = down ? 0x80 : 0;
    Settle();
  }
};

TEST_F(Activators, ATapAndAHoldOnOneButtonGiveTheirTwoKeys) {
  StartActivated();
  Press(2);
  Release(2);
  const Lines tap = Quiet(1500);
  ASSERT_EQ(Untimed(tap), Typed(kB)) << "a tap types B alone";
  // The tap's key stays down for the tap time, by the events' own times
  // (the system's tick, which need not count every millisecond).
  const long down = TimeOf(tap, "key down 66"), up = TimeOf(tap, "key up 66");
  ASSERT_TRUE(down >= 0 && up >= 0);
  EXPECT_GE(up - down, 80) << "a tap held for only " << up - down << " ms";

  recorder.Clear();
  Press(2);
  const Lines held = Quiet(1500);
  EXPECT_EQ(Untimed(held), (Lines{"key down 67"})) << "held past the hold time: C, still down";
  Release(2);
  EXPECT_EQ(Untimed(Quiet()), Typed(kC)) << "and up with the button; no B";
}

TEST_F(Activators, ASecondPressMakesADoubleTapAndALoneTapWaitsForTheWindow) {
  StartActivated();
  Press(3);
  Release(3);
  Press(3);
  EXPECT_EQ(Untimed(Quiet()), (Lines{"key down 69"})) << "the second press: E, held";
  Release(3);
  EXPECT_EQ(Untimed(Quiet()), Typed(kE)) << "no D at all";

  recorder.Clear();
  Press(3);
  Release(3);
  EXPECT_EQ(Untimed(Quiet(1500)), Typed(kD)) << "alone: D, once the window has passed";
}

TEST_F(Activators, AChordTypesItsKeyAndNeitherOfItsButtons) {
  StartActivated();
  Together(5, 6, true);
  EXPECT_EQ(Untimed(Quiet()), (Lines{"key down 71"}));
  Release(5);
  EXPECT_EQ(Untimed(Quiet()), Typed(kG)) << "up with the first button let go";
  Release(6);
  EXPECT_EQ(Untimed(Quiet()), Typed(kG)) << "the other's release does nothing";

  recorder.Clear();
  Press(5);
  const Lines alone = Quiet();
  Release(5);
  EXPECT_EQ(Untimed(alone), (Lines{"key down 72"})) << "alone, after the window: its own H";
  EXPECT_EQ(Untimed(Quiet()), Typed(kH));
}

TEST_F(Activators, AnEntryWithNoneOfThemTypesTheMomentItIsPressed) {
  StartActivated();
  Press(1);
  // Down while the button is still held: it acted at the press, not as a
  // tap at the release. (How soon is the running bench's to measure.)
  WaitUntil([&] { return !Untimed(recorder.Lines()).empty(); });
  EXPECT_EQ(Untimed(recorder.Lines()), (Lines{"key down 65"})) << "down with the press";
  Release(1);
  EXPECT_EQ(Untimed(Quiet()), Typed(kA));
}

}  // namespace
}  // namespace vantrel::test

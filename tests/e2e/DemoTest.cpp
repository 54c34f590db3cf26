// The demo `make run` plays on a machine without a display: the real program
// on the shipped demo profile, the real scripted controller on the
// DirectInput double, and what reaches the desktop. The controller alone
// tells the program of its changes: the test never sets the program's event
// while the session plays.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "e2e/Controller_win.h"

namespace {

using vantrel::test::ControllerTest;
using vantrel::test::InputRecorder;
using vantrel::test::KeyStatePoller;
using vantrel::test::Process;
using vantrel::test::ReadText;
using vantrel::test::RealKeys;
using vantrel::test::WaitUntil;
using vantrel::test::WindowsPath;
using Lines = std::vector<std::string>;

// The session's last line: nothing may be injected once it is printed.
constexpr char kLastLine[] = "controller: stick at rest";

// The pointer's course: each recorded move by its direction ("right",
// "down", ...; a move that goes two ways by itself), a run of moves the
// same way named once.
Lines Course(const Lines& lines) {
  Lines course;
  for (const std::string& line : lines) {
    int dx = 0, dy = 0;
    if (std::sscanf(line.c_str(), "mouse move %d,%d", &dx, &dy) != 2) continue;
    std::string way = line;
    if (dy == 0 && dx != 0) way = dx > 0 ? "right" : "left";
    if (dx == 0 && dy != 0) way = dy > 0 ? "down" : "up";
    if (course.empty() || course.back() != way) course.push_back(way);
  }
  return course;
}

std::string Listed(const Lines& lines, std::size_t from = 0) {
  std::string text;
  for (std::size_t i = from; i < lines.size(); ++i) text += "\n  " + lines[i];
  return text;
}

class Demo : public ControllerTest {
 protected:
  // The program's folder gets the demo profile beside the program, and its
  // settings name that profile as the last one, as `make run` sets it up.
  void StartOnTheDemoProfile() {
    ASSERT_TRUE(recorder.Started()) << "the input recorder did not start";
    const std::string profile = program / "demo.ini";
    ASSERT_TRUE(CopyFileA(WindowsPath(VANTREL_DEMO_PROFILE).c_str(), profile.c_str(), FALSE));
    program.Settings("Path=" + profile + "\r\n");
    ASSERT_TRUE(program.Start()) << "could not start " << VANTREL_EXE;
    main = program.WaitForMainWindow();
    ASSERT_NE(main, nullptr) << "the main window did not show (is there a display?)";
    ASSERT_TRUE(program.WaitForReads()) << "the program does not read the joystick";
    // The pointer starts where its moves have room, as in the other tests.
    SetCursorPos(512, 120);
    mouse_event(MOUSEEVENTF_MOVE, 0, 0, 0, 0);
    recorder.WaitForLines(1, 1000);
    Quiet();
    recorder.Clear();
  }

  // Plays the session to its end. `said` is what it printed, `beforeLastLine`
  // how many lines the recorder had when its last line came.
  void Play() {
    const std::string output = program / "session.txt";
    const Process session = program.Launch(WindowsPath(VANTREL_DEMO_SESSION), output);
    ASSERT_TRUE(session.Started()) << "could not start " << VANTREL_DEMO_SESSION;
    ASSERT_TRUE(WaitUntil(
        [&] {
          beforeLastLine = recorder.Lines().size();
          return ReadText(output).find(kLastLine) != std::string::npos;
        },
        60000))
        << "the session did not come to its last line:\n"
        << ReadText(output);
    EXPECT_EQ(session.ExitCode(10000), 0) << ReadText(output);
    said = ReadText(output);
  }

  std::string said;
  std::size_t beforeLastLine = 0;
};

// Button 1 is Ctrl+F5, button 2 repeats A every 100 ms while held (0.37 s:
// three times), the stick's right and down push the pointer. A change the
// program heard of only at its once-a-second check typed A about ten times
// and never moved the pointer.
TEST_F(Demo, TypesCtrlF5OnceAThreeTimesAndMovesThePointerRightThenDown) {
  StartOnTheDemoProfile();
  Play();
  // Longer than the once-a-second check, which would read a change missed.
  const Lines lines = Quiet(1500);
  const Lines tap = {"key down 65", "key up 65"};
  Lines keys = {"key down 17", "key down 116", "key up 17", "key up 116"};
  for (int i = 0; i < 3; ++i) keys.insert(keys.end(), tap.begin(), tap.end());
  EXPECT_EQ(RealKeys(lines), keys) << said << Listed(lines);
  EXPECT_EQ(Course(lines), (Lines{"right", "down"})) << said << Listed(lines);
  EXPECT_EQ(lines.size(), beforeLastLine)
      << "injected after the session's last line:" << Listed(lines, beforeLastLine);
}

// A game reading the keyboard's state once a frame sees every key the demo
// types, the A taps included: each tap's key stays down for half the turbo
// interval, long enough for any such reading to fall within it.
TEST_F(Demo, AProgramReadingTheKeyboardsStateSeesEveryKeyTyped) {
  KeyStatePoller poller({VK_CONTROL, VK_F5, 'A'});
  ASSERT_TRUE(poller.Started()) << "the key state poller did not start";
  InputRecorder timed(false, true);
  ASSERT_TRUE(timed.Started()) << "the timed recorder did not start";
  StartOnTheDemoProfile();
  timed.Clear();
  Play();
  Quiet(1500);
  // How long each A tap held its key, by the events' own times.
  std::vector<long> held;
  long downAt = -1;
  for (const std::string& line : timed.Lines()) {
    long at = 0;
    if (std::sscanf(line.c_str(), "key down 65 at %ld", &at) == 1) downAt = at;
    if (std::sscanf(line.c_str(), "key up 65 at %ld", &at) == 1 && downAt >= 0)
      held.push_back(at - downAt);
  }
  ASSERT_EQ(held.size(), 3u) << said << Listed(timed.Lines());
  // Half the interval is 50 ms; the events' times are the system's tick,
  // which need not count every millisecond. Any game's frame fits in 30.
  for (const long ms : held) EXPECT_GE(ms, 30) << "a tap of A held for only " << ms << " ms";
  // And a poller sees them: Ctrl and F5, then A taps, each whole. A poller
  // on a loaded machine does not look as often as it means to: it need not
  // see every tap, only never a broken one.
  const Lines tap = {"down 65", "up 65"};
  const Lines ctrlF5 = {"down 17", "down 116", "up 17", "up 116"};
  Lines seen = poller.Lines();
  std::erase(seen, "gap");
  ASSERT_GE(seen.size(), 6u) << "Ctrl, F5 and at least one A:" << Listed(seen);
  EXPECT_EQ(Lines(seen.begin(), seen.begin() + 4), ctrlF5) << Listed(seen);
  EXPECT_LE(seen.size(), 10u) << Listed(seen);
  for (std::size_t i = 4; i + 1 < seen.size(); i += 2)
    EXPECT_EQ(Lines(seen.begin() + i, seen.begin() + i + 2), tap) << Listed(seen);
}

}  // namespace

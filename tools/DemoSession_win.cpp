// Plays a short controller session on the DirectInput double (named by the
// double's environment variable) for `make run` on a machine without a
// display: presses buttons and pushes the stick, saying what it does.
#include <windows.h>

#include <cstdint>
#include <cstdio>

#include "dinput/DoubleState.h"

namespace {

void Say(const char* what) {
  std::printf("controller: %s\n", what);
  std::fflush(stdout);
}

// The offsets of the state record that the session changes.
constexpr std::int32_t kStickX = 0;
constexpr std::int32_t kStickY = 4;
constexpr std::int32_t kButton1 = 48;
constexpr std::int32_t kButton2 = 49;

class Pad {
 public:
  explicit Pad(vantrel::test::DoubleState& state) : state_(state), told_(state) {}

  // One change, reported as a driver reports it: the state, the device's
  // buffer and the program's event. Changed behind the program's back, the
  // state would wait for the program's once-a-second check while its event
  // sleeps the polling timer, and a short gesture would come out wrong or
  // not at all.
  void Change(std::int32_t offset, std::int32_t data) {
    vantrel::test::PushChange(state_, &told_, offset, data);
  }

  // Waits until the program has taken every change so far, and a little
  // longer, so that what they set going has stopped (or shown) before the
  // next line is printed.
  void Seen() {
    for (int i = 0; i < 300 && state_.changesRead < state_.changesMade; ++i) Sleep(10);
    Sleep(200);
  }

 private:
  vantrel::test::DoubleState& state_;
  vantrel::test::ProgramEvent told_;
};

}  // namespace

int main() {
  char name[256] = {};
  if (!GetEnvironmentVariableA(vantrel::test::kDoubleStateVariable, name, sizeof name)) return 2;
  vantrel::test::DoubleState* state = vantrel::test::MapDoubleState(name);
  if (!state) return 2;
  Pad pad(*state);
  // Wait until the program reads the controller: it has then acquired it
  // and given the event its changes are told by.
  for (int i = 0; i < 200 && state->getDeviceStateCalls == 0; ++i) Sleep(50);
  if (state->getDeviceStateCalls == 0) return 1;
  Sleep(300);

  // Each gesture is announced, played, and seen to its end by the program
  // before the next: the input it caused is printed after its line.
  Say("button 1 pressed and let go (Ctrl+F5 goes down, then up)");
  pad.Change(kButton1, 0x80);
  pad.Seen();
  pad.Change(kButton1, 0);
  pad.Seen();
  // Let go between the third tap's end (350 ms) and the fourth (400 ms), so
  // that every tap is whole.
  Say("button 2 held for 0.37 s (A, typed every 100 ms while held: three times)");
  pad.Change(kButton2, 0x80);
  Sleep(370);
  pad.Change(kButton2, 0);
  pad.Seen();
  Say("stick pushed right for 0.3 s (the pointer moves right, faster and faster)");
  pad.Change(kStickX, 1000);
  Sleep(300);
  pad.Change(kStickX, 0);
  pad.Seen();
  Say("stick pushed down for 0.2 s (the pointer moves down)");
  pad.Change(kStickY, 1000);
  Sleep(200);
  pad.Change(kStickY, 0);
  pad.Seen();
  Say("stick at rest: nothing more is injected");
  Sleep(300);
  return 0;
}

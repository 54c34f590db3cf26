// Plays a short controller session on the DirectInput double (named by the
// double's environment variable) for `make run` on a machine without a
// display: presses buttons and pushes the stick, saying what it does.
#include <windows.h>

#include <cstdio>

#include "dinput/DoubleState.h"

namespace {

vantrel::test::DoubleState* pad = nullptr;

void Say(const char* what) {
  std::printf("controller: %s\n", what);
  std::fflush(stdout);
}

// Waits until the program has read the controller twice since a change, so
// what the change set going has stopped before the next line is printed.
void Seen() {
  const std::int32_t reads = pad->getDeviceStateCalls;
  for (int i = 0; i < 100 && pad->getDeviceStateCalls < reads + 2; ++i) Sleep(10);
  Sleep(50);
}

}  // namespace

int main() {
  char name[256] = {};
  if (!GetEnvironmentVariableA(vantrel::test::kDoubleStateVariable, name, sizeof name)) return 2;
  pad = vantrel::test::MapDoubleState(name);
  if (!pad) return 2;
  // Wait until the program reads the controller.
  for (int i = 0; i < 200 && pad->getDeviceStateCalls == 0; ++i) Sleep(50);
  if (pad->getDeviceStateCalls == 0) return 1;
  Sleep(300);

  // Each gesture is announced, played, and seen to its end by the program
  // before the next: the input it caused is printed after its line.
  Say("button 1 pressed and let go (Ctrl+F5 goes down, then up)");
  pad->buttons[0] = 0x80;
  Seen();
  pad->buttons[0] = 0;
  Seen();
  Say("button 2 held for 0.35 s (A, typed every 100 ms while held)");
  pad->buttons[1] = 0x80;
  Sleep(350);
  pad->buttons[1] = 0;
  Seen();
  Say("stick pushed right for 0.3 s (the pointer moves right, faster and faster)");
  pad->lX = 1000;
  Sleep(300);
  pad->lX = 0;
  Seen();
  Say("stick pushed down for 0.2 s (the pointer moves down)");
  pad->lY = 1000;
  Sleep(200);
  pad->lY = 0;
  Seen();
  Say("stick at rest: nothing more is injected");
  Sleep(300);
  return 0;
}

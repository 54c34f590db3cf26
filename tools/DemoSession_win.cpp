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

void Hold(const char* what, int milliseconds) {
  Say(what);
  Sleep(static_cast<DWORD>(milliseconds));
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

  pad->buttons[0] = 0x80;
  Hold("button 1 down (Ctrl+F5)", 300);
  pad->buttons[0] = 0;
  Hold("button 1 up", 300);
  pad->buttons[1] = 0x80;
  Hold("button 2 held for 0.35 s (A, repeated every 100 ms)", 350);
  pad->buttons[1] = 0;
  Hold("button 2 up", 300);
  pad->lX = 1000;
  Hold("stick pushed right for 0.3 s (the pointer moves right, faster and faster)", 300);
  pad->lX = 0;
  Hold("stick back at rest", 300);
  pad->lY = 1000;
  Hold("stick pushed down for 0.2 s (the pointer moves down)", 200);
  pad->lY = 0;
  Hold("stick back at rest", 300);
  return 0;
}

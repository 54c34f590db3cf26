#pragma once
#include <windows.h>

#include <string>

namespace vantrel {

// The window in front and the program it belongs to, as injected input meets it.
struct ProgramInFront {
  HWND window = nullptr;
  DWORD processId = 0;
  // The file name of its executable, or the window's title where the
  // process will not say.
  std::string name;
};
// Nothing is in front (the desktop is being switched): a null window.
ProgramInFront ForegroundProgram();

// Whether the process runs elevated (its token says so). A process that
// cannot be opened or queried counts as not elevated. `window` is the one in
// front, or null when the program asks about itself.
bool ProcessElevated(HWND window, DWORD processId);

// Tests stand in for the system's answer: when set, the check answers for
// every process instead.
using ElevationCheck = bool (*)(HWND window, DWORD processId);
void SetElevationCheck(ElevationCheck check);

}  // namespace vantrel

#include "app/Elevation_win.h"

#include "base/KernelHandle_win.h"
#include "base/Library_win.h"
#include "base/Process_win.h"
#include "bindings/Binding.h"

namespace vantrel {

namespace {

ElevationCheck elevationCheck = nullptr;

// The limited right is all that elevated processes grant to others.
KernelHandle OpenForQuery(DWORD processId) {
  return KernelHandle(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId));
}

bool TokenElevated(HANDLE process) {
  HANDLE token = nullptr;
  if (!OpenProcessToken(process, TOKEN_QUERY, &token)) return false;
  const KernelHandle owned(token);
  TOKEN_ELEVATION elevation{};
  DWORD size = 0;
  return GetTokenInformation(token, TokenElevation, &elevation, sizeof elevation, &size) &&
         elevation.TokenIsElevated != 0;
}

}  // namespace

ProgramInFront ForegroundProgram() {
  ProgramInFront front;
  front.window = GetForegroundWindow();
  if (!front.window) return front;
  GetWindowThreadProcessId(front.window, &front.processId);
  front.name = ProgramFileName(front.processId);
  if (front.name.empty()) {
    // Read from the window's own record, without a message: a program that
    // hangs cannot hold up the press.
    char title[256] = {};
    GetWindowTextA(front.window, title, sizeof title);
    front.name = title;
  }
  return front;
}

bool ProcessElevated(HWND window, DWORD processId) {
  if (elevationCheck) return elevationCheck(window, processId);
  if (processId == GetCurrentProcessId()) return TokenElevated(GetCurrentProcess());
  const KernelHandle process = OpenForQuery(processId);
  return process && TokenElevated(process.get());
}

void SetElevationCheck(ElevationCheck check) { elevationCheck = check; }

}  // namespace vantrel

// Where the time between the process's start and its visible main window
// goes: this program starts as Vantrel.exe does (same library, resources and
// manifest, default settings) and prints the time at the end of each step,
// from the process's creation. Run it a few times: the first steps are the
// loader's and vary most.
#include <windows.h>

#include <commctrl.h>

#include <cstdio>

#include "app/Application_win.h"
#include "base/Library_win.h"
#include "base/SystemFunctions_win.h"

namespace {

double processStart = 0;

// Milliseconds on the system clock, which the process's creation time uses.
double ClockMs() {
  FILETIME now;
  GetSystemTimePreciseAsFileTime(&now);
  return static_cast<double>((static_cast<ULONGLONG>(now.dwHighDateTime) << 32) |
                             now.dwLowDateTime) /
         10000.0;
}

double last = 0;
void Step(const char* name) {
  const double at = ClockMs() - processStart;
  std::printf("  %7.1f ms  (+%6.1f)  %s\n", at, at - last, name);
  last = at;
}

}  // namespace

int main() {
  FILETIME created, exited, kernel, user;
  GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
  processStart = static_cast<double>((static_cast<ULONGLONG>(created.dwHighDateTime) << 32) |
                                     created.dwLowDateTime) /
                 10000.0;
  std::printf("start-up trace, from the process's creation:\n");
  Step("loader, runtime start-up and the DLLs imported");
  vantrel::RestrictLibrarySearch();
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
  vantrel::sys::InitCommonControlsEx(&controls);
  Step("common controls");
  {
    vantrel::Application app;
    app.StepDone = Step;
    app.CreateForms();
    app.Show(SW_SHOWNORMAL);
    Step("main window shown");
    app.CompleteStartUp();
    // What the first showing queued: painting, activation.
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) app.Dispatch(msg);
    Step("first painting done");
    PostMessageA(app.MainFrm.Handle(), WM_CLOSE, 0, 0);
    app.Run();
  }
  std::fflush(stdout);
  return 0;
}

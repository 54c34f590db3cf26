#include "ui/DueTimer_win.h"

#include <algorithm>

#include "base/Library_win.h"

namespace vantrel {

namespace {

// Windows 10 (1803) on; older systems refuse the flag.
constexpr DWORD kHighResolutionTimer = 0x00000002;

using TimePeriodFn = UINT(WINAPI*)(UINT);

// The multimedia library's timer resolution calls, loaded only where the
// timer has no high resolution of its own.
struct TimePeriods {
  TimePeriodFn begin = nullptr, end = nullptr;
};
const TimePeriods& Periods() {
  static const TimePeriods periods = [] {
    TimePeriods found;
    const HMODULE winmm = LoadSystemLibrary("winmm.dll");  // kept until the program ends
    found.begin = LibraryFunction<TimePeriodFn>(winmm, "timeBeginPeriod");
    found.end = LibraryFunction<TimePeriodFn>(winmm, "timeEndPeriod");
    if (!found.begin || !found.end) found = {};
    return found;
  }();
  return periods;
}

}  // namespace

DueTimer::DueTimer() {
  timer_.reset(CreateWaitableTimerExW(nullptr, nullptr, kHighResolutionTimer, TIMER_ALL_ACCESS));
  highResolution_ = timer_ != nullptr;
  if (!timer_) timer_.reset(CreateWaitableTimerExW(nullptr, nullptr, 0, TIMER_ALL_ACCESS));
}

DueTimer::~DueTimer() { RaiseResolution(false); }

void DueTimer::Set(Millis due, Millis now) {
  if (!timer_) return;
  if (due == kNever) {
    if (armed_) CancelWaitableTimer(timer_.get());
    armed_ = false;
    RaiseResolution(false);
    return;
  }
  RaiseResolution(true);
  // Relative, in units of 100 ns; at least one, so a moment past goes off at once.
  LARGE_INTEGER when{};
  when.QuadPart = -std::max<LONGLONG>(1, (due - now) * 10000);
  armed_ = SetWaitableTimer(timer_.get(), &when, 0, nullptr, nullptr, FALSE) != FALSE;
}

void DueTimer::RaiseResolution(bool raise) {
  if (highResolution_ || raise == raised_) return;
  const TimePeriods& periods = Periods();
  if (!periods.begin) return;
  raised_ = raise;
  if (raise)
    periods.begin(1);
  else
    periods.end(1);
}

}  // namespace vantrel

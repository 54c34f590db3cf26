#pragma once
// The moment timed work is next due, as a handle the message loop waits on
// beside its others: a waitable timer, of high resolution where the system
// has one, so that a 7 ms step of the pointer or a tap's release is not
// rounded up to the system's 15.6 ms tick. Where there is none, the
// system's timer resolution is raised to 1 ms while a moment is due, and
// given back as soon as nothing is.
#include <windows.h>

#include "base/KernelHandle_win.h"
#include "base/Time.h"

namespace vantrel {

class DueTimer {
 public:
  DueTimer();
  ~DueTimer();
  DueTimer(const DueTimer&) = delete;
  DueTimer& operator=(const DueTimer&) = delete;

  // Null where no timer could be made: then the loop's own time-out serves.
  HANDLE Handle() const { return timer_.get(); }
  // Sets the timer to go off at `due` (after `now`); kNever stops it.
  void Set(Millis due, Millis now);

 private:
  void RaiseResolution(bool raise);

  KernelHandle timer_;
  bool highResolution_ = false;
  bool raised_ = false;
  bool armed_ = false;
};

}  // namespace vantrel

#include "input/RescanSchedule.h"

namespace vantrel {

void RescanSchedule::Notice(Millis now) {
  notice_ = now;
  looks_ = 0;
  due_ = now + kFirstLookMs;
}

void RescanSchedule::Looked(Millis now, bool notices, bool missing) {
  if (++looks_ == 1) {
    due_ = notice_ + kSecondLookMs;
    return;
  }
  // Without notices of devices, the look-out goes on, slowly, while the
  // controller wanted is missing; with them, nothing runs until the next.
  due_ = !notices && missing ? now + kLookOutMs : kNever;
}

}  // namespace vantrel

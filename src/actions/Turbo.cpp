#include "actions/Turbo.h"

#include <algorithm>

namespace vantrel {

void TurboRepeat::Start(std::uint8_t s, std::uint8_t v, bool scan, Millis time, Millis interval) {
  shift = s;
  vcode = v;
  scanCodes = scan;
  running_ = true;
  tapDown_ = false;
  nextTap_ = time + std::max<Millis>(interval, 1);
}

void TurboRepeat::Stop(const Send& send) {
  if (running_ && tapDown_) send(true);
  running_ = tapDown_ = false;
}

void TurboRepeat::Advance(Millis now, Millis interval, const Send& send) {
  if (!running_) return;
  interval = std::max<Millis>(interval, 1);
  if (tapDown_ && now >= upAt_) {
    send(true);
    tapDown_ = false;
  }
  if (!tapDown_ && now >= nextTap_) {
    send(false);
    tapDown_ = true;
    upAt_ = now + interval / 2;
    // Taps missed while the program could not run are not made up for in a burst.
    nextTap_ = std::max(nextTap_ + interval, now + interval / 2 + 1);
  }
}

Millis TurboRepeat::NextDue() const {
  if (!running_) return kNever;
  return tapDown_ ? upAt_ : nextTap_;
}

}  // namespace vantrel

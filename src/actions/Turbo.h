#pragma once
// The turbo repeat: while a turbo entry is held, its keys are tapped every
// interval, the first an interval after the press. Each tap keeps its keys
// down for half the interval, since a game that reads the keyboard's state
// once a frame never sees a key that goes down and up with no time between.
// It runs by the time given, whatever the real period of the caller's wait.
#include <cstdint>
#include <functional>

#include "base/Time.h"

namespace vantrel {

class TurboRepeat {
 public:
  // Sends the repeated keys down (false) or up (true).
  using Send = std::function<void(bool up)>;

  // A turbo press at `time`: the repeat starts over with these keys (a
  // later turbo press takes it over).
  void Start(std::uint8_t shift, std::uint8_t vcode, bool scanCodes, Millis time, Millis interval);
  // A tap in progress comes up at once.
  void Stop(const Send& send);
  void Advance(Millis now, Millis interval, const Send& send);
  Millis NextDue() const;
  bool Running() const { return running_; }

  std::uint8_t shift = 0, vcode = 0;
  bool scanCodes = false;

 private:
  bool running_ = false;
  bool tapDown_ = false;  // a tap's keys are down until upAt_
  Millis nextTap_ = 0, upAt_ = 0;
};

}  // namespace vantrel

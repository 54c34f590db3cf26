#pragma once
// When to look for controllers again. A device notice (one came or went, or
// the system woke) is followed by two looks, about 0.3 s and 2 s after it,
// as the system settles; where the system sends no notices, a look every
// 2 s while the controller wanted is missing. Nothing runs otherwise.
#include "base/Time.h"

namespace vantrel {

class RescanSchedule {
 public:
  static constexpr Millis kFirstLookMs = 300;
  static constexpr Millis kSecondLookMs = 2000;
  static constexpr Millis kLookOutMs = 2000;

  // A notice of the system's devices at `now`.
  void Notice(Millis now);
  // A look was taken at `now`. `notices`: whether the system tells of its
  // devices; `missing`: whether the controller wanted is still not read.
  void Looked(Millis now, bool notices, bool missing);
  // When the next look is due; kNever when none is.
  Millis NextDue() const { return due_; }

 private:
  Millis notice_ = 0;
  int looks_ = 0;
  Millis due_ = kNever;
};

}  // namespace vantrel

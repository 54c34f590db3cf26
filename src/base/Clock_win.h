#pragma once
// The program's clock: milliseconds on the performance counter, the time the
// core is given. Device time stamps (GetTickCount's clock) are brought onto
// it by their age.
#include "base/Time.h"

namespace vantrel {

Millis Now();

}  // namespace vantrel

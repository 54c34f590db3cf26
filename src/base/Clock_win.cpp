#include "base/Clock_win.h"

#include <windows.h>

namespace vantrel {

Millis Now() {
  static const LONGLONG frequency = [] {
    LARGE_INTEGER f{};
    QueryPerformanceFrequency(&f);
    return f.QuadPart > 0 ? f.QuadPart : 1;
  }();
  LARGE_INTEGER counter{};
  QueryPerformanceCounter(&counter);
  // Split so that the product cannot overflow after a long uptime.
  const LONGLONG whole = counter.QuadPart / frequency;
  const LONGLONG rest = counter.QuadPart % frequency;
  return static_cast<Millis>(whole * 1000 + rest * 1000 / frequency);
}

}  // namespace vantrel

#pragma once
// A pad whose state a test sets, read as the program reads a controller:
// an edge only where an entry's state differs from the controls'.
#include <vector>

#include "input/PadState.h"

namespace vantrel::test {

struct StatePad : PadReader {
  bool Read(Millis) override { return true; }
  const PadState& State() const override { return state; }
  const std::vector<PadState>& Passed() const override { return none; }
  const PadControls& Controls() const override { return controls; }
  PadState state;
  std::vector<PadState> none;
  PadControls controls;
};

}  // namespace vantrel::test

#pragma once
// A joystick read through the multimedia joystick functions: the fallback
// where DirectInput has no interface. It keeps no changes and gives no
// event; the polling timer reads it.
#include <cstdint>
#include <optional>
#include <vector>

#include "base/Time.h"
#include "input/AxisTables.h"
#include "input/MultimediaPad.h"
#include "input/PadState.h"

namespace vantrel {

// A joystick the multimedia functions list: its number for them, and its
// capabilities.
struct MultimediaJoystick {
  unsigned id = 0;
  MultimediaCaps caps;
};

// The joystick at `position` (from 0) among those the multimedia functions
// list; none where there is none.
std::optional<MultimediaJoystick> FindMultimediaJoystick(int position);

class MultimediaReader : public PadReader {
 public:
  // `tables` gives the axes' dead zones and ranges, which the reader applies
  // itself.
  MultimediaReader(const MultimediaJoystick& joystick, std::uint32_t number,
                   const AxisTables& tables);

  // False while the joystick gives no position (unplugged since the open):
  // no state, so whatever it held is released.
  bool Read(Millis now) override;
  const PadState& State() const override { return state_; }
  const std::vector<PadState>& Passed() const override { return passed_; }
  const PadControls& Controls() const override { return controls_; }

 private:
  unsigned id_;
  MultimediaCaps caps_;
  std::uint32_t number_;
  const AxisTables& tables_;
  PadControls controls_;
  PadState state_;
  std::vector<PadState> passed_;  // always empty
};

}  // namespace vantrel

#pragma once
// An Xbox pad read through XInput. Its DirectInput twin tells of each change
// of the pad and keeps its buttons' and D-pad's changes in order, so that a
// tap between two reads still counts; XInput reads the pad itself, its two
// triggers as two controls where DirectInput folds them into one axis.
#include <windows.h>

#include <cstdint>
#include <vector>

#include "base/Time.h"
#include "input/AxisTables.h"
#include "input/DirectInputReader_win.h"
#include "input/PadState.h"

struct IDirectInputA;

namespace vantrel {

// Whether a DirectInput device is an Xbox pad's twin.
bool IsXInputTwin(IDirectInputDeviceA& device);
// The XInput user index of the twin at `chosen` among the devices
// DirectInput lists (`instances`), or -1: the n-th twin listed is the n-th
// pad connected.
int XInputUserOfTwin(IDirectInputA& directInput, const std::vector<GUID>& instances, int chosen);

class XInputReader : public PadReader {
 public:
  // `user` is the pad's XInput user index. `twin` is its DirectInput twin,
  // open with the state record as its data format and keeping its changes
  // (null: none is), of which the reader takes the buttons' and the hat's.
  // `tables` gives the stick's dead zone and range; `overflows` counts the
  // reads whose twin's buffer had run over.
  XInputReader(int user, IDirectInputDeviceA* twin, std::uint32_t number, const AxisTables& tables,
               int& overflows);

  // False when the pad is gone ("not connected").
  bool Read(Millis now) override;
  const PadState& State() const override { return state_; }
  const std::vector<PadState>& Passed() const override { return passed_; }
  const PadControls& Controls() const override { return controls_; }

 private:
  int user_;
  IDirectInputDeviceA* twin_;
  std::uint32_t number_;
  const AxisTables& tables_;
  int& overflows_;
  PadControls controls_;
  PadState state_;  // the last read's, where the twin's changes since start
  std::vector<PadState> passed_;
  std::vector<KeptChange> changes_;
};

}  // namespace vantrel

#pragma once
// A DirectInput device read as a pad: its state record at each read, and
// the changes it kept between two reads, each a pad state of its own at the
// time the device stamped it.
#include <cstdint>
#include <vector>

#include "base/Time.h"
#include "input/AxisTables.h"
#include "input/JoystickState.h"
#include "input/PadState.h"

// The interfaces' types stay in the files that pin DirectInput's version.
struct IDirectInputDeviceA;
struct IDirectInputDevice2A;

namespace vantrel {

// How many changes a device is asked to keep between two reads.
inline constexpr std::uint32_t kBufferedChanges = 256;

// One change a device kept: its object's byte offset in the state record,
// its new value, and when it came, on the program's clock.
struct KeptChange {
  std::uint32_t offset = 0;
  std::uint32_t data = 0;
  Millis time = 0;
};

// The changes `device` kept since the last call, oldest first, taken at
// `now` into `changes`; a device that lost its input is acquired again for
// them. None where the device keeps none, or where its buffer ran over
// (counted in `overflows`): such a read goes by the state alone.
void TakeKeptChanges(IDirectInputDeviceA& device, Millis now, std::vector<KeptChange>& changes,
                     int& overflows);

class DirectInputReader : public PadReader {
 public:
  // `device` is open with the state record as its data format, `poll` is its
  // polling interface, and `buffered` says whether it keeps its changes.
  // `tables` gives the stick's dead zone and range while the reader takes
  // the dead zone out itself; `overflows` counts the reads whose buffer had
  // run over.
  DirectInputReader(IDirectInputDeviceA& device, IDirectInputDevice2A& poll, bool buffered,
                    const PadControls& controls, std::uint32_t number, const AxisTables& tables,
                    int& overflows);

  // False when the device is lost: still refused after being acquired again.
  bool Read(Millis now) override;
  const PadState& State() const override { return state_; }
  const std::vector<PadState>& Passed() const override { return passed_; }
  const PadControls& Controls() const override { return controls_; }

  // Whether the device was asked for the stick's X and Y without a dead
  // zone: the reader then takes it out of the axes itself.
  void SetRawStick(bool raw) { rawStick_ = raw; }

 private:
  RecordReading Reading() const;

  IDirectInputDeviceA& device_;
  IDirectInputDevice2A& poll_;
  bool buffered_;
  PadControls controls_;
  std::uint32_t number_;
  const AxisTables& tables_;
  int& overflows_;
  bool rawStick_ = false;
  PadState state_;  // the last read's, where the changes since start
  std::vector<PadState> passed_;
  std::vector<KeptChange> changes_;
};

}  // namespace vantrel

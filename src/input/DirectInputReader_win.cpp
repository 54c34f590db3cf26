#define DIRECTINPUT_VERSION 0x0500
#include "input/DirectInputReader_win.h"

#include <windows.h>

#include <dinput.h>

#include <array>

namespace vantrel {

static_assert(sizeof(DIJOYSTATE2) == sizeof(JoystickState));

void TakeKeptChanges(IDirectInputDeviceA& device, Millis now, std::vector<KeptChange>& changes,
                     int& overflows) {
  changes.clear();
  std::array<DIDEVICEOBJECTDATA, kBufferedChanges> data{};
  DWORD count = kBufferedChanges;
  HRESULT result = device.GetDeviceData(sizeof(DIDEVICEOBJECTDATA), data.data(), &count, 0);
  if (result == DIERR_INPUTLOST || result == DIERR_NOTACQUIRED) {
    device.Acquire();
    count = kBufferedChanges;
    result = device.GetDeviceData(sizeof(DIDEVICEOBJECTDATA), data.data(), &count, 0);
  }
  if (result == DI_BUFFEROVERFLOW) ++overflows;
  if (result != DI_OK) return;
  // The stamps are on GetTickCount's clock, read after them so that none is
  // ahead of it.
  const DWORD tickNow = GetTickCount();
  for (DWORD i = 0; i < count; ++i)
    changes.push_back(
        {data[i].dwOfs, data[i].dwData, ChangeTime(now, tickNow, data[i].dwTimeStamp)});
}

DirectInputReader::DirectInputReader(IDirectInputDeviceA& device, IDirectInputDevice2A& poll,
                                     bool buffered, const PadControls& controls,
                                     std::uint32_t number, const AxisTables& tables, int& overflows)
    : device_(device),
      poll_(poll),
      buffered_(buffered),
      controls_(controls),
      number_(number),
      tables_(tables),
      overflows_(overflows) {
  state_.device = number;
}

RecordReading DirectInputReader::Reading() const {
  RecordReading reading{.controls = controls_, .ownStickDeadZone = rawStick_};
  if (rawStick_) {
    reading.stickDeadZone = {tables_.AskedDeadZoneAt(kOffsetX), tables_.AskedDeadZoneAt(kOffsetY)};
    reading.stickRange = {tables_.RangeAt(kOffsetX), tables_.RangeAt(kOffsetY)};
  }
  return reading;
}

bool DirectInputReader::Read(Millis now) {
  passed_.clear();
  poll_.Poll();
  const RecordReading reading = Reading();
  if (buffered_) {
    // Each change the device kept, applied in turn to the state it was in
    // then, so that a tap between two reads still gives its press and its
    // release.
    TakeKeptChanges(device_, now, changes_, overflows_);
    PadState walk = state_;
    for (const KeptChange& change : changes_) {
      if (!ApplyChange(walk, change.offset, change.data, reading)) continue;
      walk.time = change.time;
      passed_.push_back(walk);
    }
  }
  JoystickState record{};
  HRESULT result = device_.GetDeviceState(sizeof record, &record);
  if (result == DIERR_INPUTLOST || result == DIERR_NOTACQUIRED) {
    device_.Acquire();
    record = {};
    result = device_.GetDeviceState(sizeof record, &record);
  }
  if (FAILED(result)) {
    passed_.clear();
    return false;
  }
  state_ = PadFromRecord(record, reading);
  state_.device = number_;
  state_.time = now;
  return true;
}

}  // namespace vantrel

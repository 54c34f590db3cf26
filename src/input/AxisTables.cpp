#include "input/AxisTables.h"

#include <algorithm>

namespace vantrel {

AxisTables::AxisTables() {
  // Every axis is delivered in -1000 ... +1000. The stick's X and Y get the
  // device's dead zone around the centre; the other axes none, as their
  // dead zone is measured from where each rests (a trigger at one end).
  for (int offset = kOffsetX; offset < kOffsetPov; offset += kAxisStride) range_[offset] = 1000;
  for (int offset : {kOffsetX, kOffsetY}) deadZone_[offset] = 50;
  askedDeadZone_ = deadZone_;
  askedRange_ = range_;
}

void AxisTables::SetDeadZoneAt(int offset, std::int32_t value, AxisPropertySink* device) {
  if (!Settable(offset)) return;
  askedDeadZone_[offset] = std::clamp(value, 0, 100);
  ApplyDeadZoneAt(offset, value, device);
}

void AxisTables::ApplyDeadZoneAt(int offset, std::int32_t value, AxisPropertySink* device) {
  if (!Settable(offset)) return;
  value = std::clamp(value, 0, 100);
  if (offset == kOffsetPov) {
    deadZone_[offset] = kRefused;
    return;
  }
  deadZone_[offset] = value;
  if (device && !device->SendDeadZone(offset, value * 100)) deadZone_[offset] = kRefused;
}

void AxisTables::SetRangeAt(int offset, std::int32_t value, AxisPropertySink* device) {
  if (!Settable(offset)) return;
  value = std::max(value, 0);
  askedRange_[offset] = value;
  if (offset == kOffsetPov) {
    range_[offset] = kRefused;
    return;
  }
  range_[offset] = value;
  if (device && !device->SendRange(offset, -value, value)) range_[offset] = kRefused;
}

std::int32_t AxisTables::DeadZoneAt(int offset) const {
  return Settable(offset) ? deadZone_[offset] : 0;
}

std::int32_t AxisTables::RangeAt(int offset) const { return Settable(offset) ? range_[offset] : 0; }

std::int32_t AxisTables::AskedDeadZoneAt(int offset) const {
  return Settable(offset) ? askedDeadZone_[offset] : 0;
}

std::int32_t AxisTables::AskedRangeAt(int offset) const {
  return Settable(offset) ? askedRange_[offset] : 0;
}

void AxisTables::SendAll(AxisPropertySink& device) {
  // The last offset is outside what a set accepts, so it is never sent.
  for (int offset = 0; offset < kStateRecordSize; ++offset)
    SetDeadZoneAt(offset, askedDeadZone_[offset], &device);
  for (int offset = 0; offset < kStateRecordSize; ++offset)
    SetRangeAt(offset, askedRange_[offset], &device);
}

}  // namespace vantrel

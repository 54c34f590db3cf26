#pragma once
#include <array>
#include <cstdint>

namespace vantrel {

// Byte offsets in the joystick state record.
constexpr int kOffsetX = 0;
constexpr int kOffsetY = 4;
constexpr int kOffsetZ = 8;
constexpr int kOffsetPov = 32;  // the first point-of-view hat; the eight axes lie before it
constexpr int kAxisStride = 4;
constexpr int kOffsetButtons = 48;
constexpr int kStateRecordSize = 272;

// The stored value of an offset whose value the device refused.
constexpr std::int32_t kRefused = -1;

// Where an open device takes its axis properties; implemented by the
// platform's reader. Each call answers whether the device accepted the value.
class AxisPropertySink {
 public:
  virtual ~AxisPropertySink() = default;
  // The dead zone in ten-thousandths of the half travel.
  virtual bool SendDeadZone(int offset, std::int32_t tenThousandths) = 0;
  virtual bool SendRange(int offset, std::int32_t lower, std::int32_t upper) = 0;
};

// The joystick's per-offset dead-zone (percent) and range tables, indexed by
// byte offset in the state record. Every axis starts at range 1000, X and Y
// at dead zone 50; everything else at 0.
class AxisTables {
 public:
  AxisTables();

  // A set outside offsets 0 … 270 does nothing; the hat's offset stores −1
  // and sends nothing. With a device the value is sent and stored as −1 when
  // refused; without one it is only stored, for the fallback's own scaling.
  void SetDeadZoneAt(int offset, std::int32_t value, AxisPropertySink* device);
  void SetRangeAt(int offset, std::int32_t value, AxisPropertySink* device);
  // Gives the device another dead zone than the one asked for (none, to
  // read an axis raw), which the asked value outlives.
  void ApplyDeadZoneAt(int offset, std::int32_t value, AxisPropertySink* device);
  // 0 for an offset outside 0 … 270.
  std::int32_t DeadZoneAt(int offset) const;
  std::int32_t RangeAt(int offset) const;
  // The value last asked for at the offset, clamped as stored, whether or not
  // the device took it: what the settings keep, so that a refusal never
  // replaces the user's value with -1.
  std::int32_t AskedDeadZoneAt(int offset) const;
  std::int32_t AskedRangeAt(int offset) const;

  // An opened device gets every dead zone asked for, then every range,
  // offset by offset in ascending order (a value an earlier device refused is
  // asked for again, not its -1).
  void SendAll(AxisPropertySink& device);

 private:
  static bool Settable(int offset) { return offset >= 0 && offset <= kStateRecordSize - 2; }

  std::array<std::int32_t, kStateRecordSize> deadZone_{};
  std::array<std::int32_t, kStateRecordSize> range_{};
  std::array<std::int32_t, kStateRecordSize> askedDeadZone_{};
  std::array<std::int32_t, kStateRecordSize> askedRange_{};
};

}  // namespace vantrel

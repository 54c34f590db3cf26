// How fast the pointer goes, in units per second, whatever the real period
// of the program's wait: the stick as a pointer at full deflection, pushed
// straight and diagonally, and the accelerating pointer at its top speed,
// each moved every 7 ms (the nominal period) and every 16 ms (a timer that
// Windows rounds up), with the default settings (top speed 8, curve 2).
#include <cmath>
#include <cstdio>

#include "actions/Pipeline.h"

namespace vantrel {
namespace {

class Travel : public InputSink {
 public:
  bool SendKeys(std::span<const KeyStroke>) override { return true; }
  std::uint8_t ScanCode(std::uint8_t) override { return 0; }
  bool MouseEvent(std::uint32_t flags, std::int32_t dx, std::int32_t dy, std::int32_t) override {
    if (flags == kMouseMove) x += dx, y += dy;
    return true;
  }
  double x = 0, y = 0;
};

class IdleHost : public ActionHost {
 public:
  void SetRowHeld(std::uint8_t, bool) override {}
  bool TurboChecked(std::uint8_t) const override { return false; }
  std::string RowText(std::uint8_t) const override { return {}; }
  void SetRowText(std::uint8_t, const std::string&) override {}
  void LoadProfile(const std::string&, std::uint8_t) override {}
  void ProfileSwitched(const std::string&, const std::string&) override {}
  void Launch(const std::string&) override {}
};

constexpr Millis kSpan = 10000;

// The stick bound as a pointer, held at (x, y), moved every `period` ms.
double StickSpeed(std::int32_t x, std::int32_t y, Millis period) {
  BindingTable table{4};
  table[table.EntryRight].Action = ActEmulClick;
  table[table.EntryRight].VCode = kPointerStickCode;
  Travel travel;
  IdleHost host;
  Pipeline d{table, travel, host};
  std::array<std::int32_t, kControllerAxes> axes{};
  axes[AxisX] = x;
  axes[AxisY] = y;
  d.Dispatch.FollowSticks(axes, StickReaches{});
  for (Millis t = period; t <= kSpan; t += period) d.Advance(t);
  return std::hypot(travel.x, travel.y) * 1000.0 / kSpan;
}

// The accelerating pointer held right, once it has reached its top speed.
double AcceleratingSpeed(Millis period) {
  BindingTable table{4};
  table[1].Action = ActEmulClick;
  table[1].VCode = MouseMoveRight;
  Travel travel;
  IdleHost host;
  Pipeline d{table, travel, host};
  d.Feed({0, 1, true, 0});
  Millis t = 0;
  for (; t < 2000; t += period) d.Advance(t);
  const double start = travel.x;
  const Millis from = t;
  for (; t <= from + kSpan; t += period) d.Advance(t);
  return (travel.x - start) * 1000.0 / static_cast<double>(t - period - from);
}

}  // namespace
}  // namespace vantrel

int main() {
  using vantrel::AcceleratingSpeed;
  using vantrel::StickSpeed;
  std::printf("Pointer speed in units per second          every 7 ms   every 16 ms\n");
  std::printf("  stick, full deflection straight          %9.0f   %11.0f\n", StickSpeed(1000, 0, 7),
              StickSpeed(1000, 0, 16));
  std::printf("  stick, full deflection diagonal          %9.0f   %11.0f\n",
              StickSpeed(707, -707, 7), StickSpeed(707, -707, 16));
  std::printf("  accelerating pointer at its top speed    %9.0f   %11.0f\n", AcceleratingSpeed(7),
              AcceleratingSpeed(16));
  return 0;
}

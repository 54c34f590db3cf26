// The cost of the action work on the GUI thread: one 7 ms step of the
// pointer with both axes at full speed, and one press-and-release of a key entry and of a
// mouse-movement entry, against sinks that only count.
#include <benchmark/benchmark.h>

#include "actions/Pipeline.h"

namespace vantrel {
namespace {

class CountingSink : public InputSink {
 public:
  bool SendKeys(std::span<const KeyStroke> strokes) override {
    events += static_cast<long>(strokes.size());
    return true;
  }
  std::uint8_t ScanCode(std::uint8_t vk) override { return vk; }
  bool MouseEvent(std::uint32_t, std::int32_t, std::int32_t, std::int32_t) override {
    ++events;
    return true;
  }
  long events = 0;
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

struct Fixture {
  BindingTable table{kMaxButtons};
  CountingSink sink;
  IdleHost host;
  Pipeline pipeline{table, sink, host};
};

void BM_PointerStep(benchmark::State& state) {
  Fixture f;
  f.table[1].Action = ActEmulClick;
  f.table[1].VCode = MouseMoveRight;
  f.table[2].Action = ActEmulClick;
  f.table[2].VCode = MouseMoveDown;
  for (std::uint8_t e : {1, 2}) f.pipeline.Feed({0, e, true, 0});
  Millis now = 0;
  for (auto _ : state) f.pipeline.Advance(now += kPointerPeriodMs);
  benchmark::DoNotOptimize(f.sink.events);
}
BENCHMARK(BM_PointerStep);

// One press and its release of entry 1 bound as `action`/`vcode`.
void PressAndRelease(benchmark::State& state, std::uint8_t action, std::uint16_t vcode,
                     std::uint16_t shift) {
  Fixture f;
  f.table[1].Action = action;
  f.table[1].VCode = vcode;
  f.table[1].Shift = shift;
  for (auto _ : state) {
    f.pipeline.Feed({0, 1, true, 0});
    f.pipeline.Feed({0, 1, false, 0});
  }
  benchmark::DoNotOptimize(f.sink.events);
}

void BM_JoyButtonPressKey(benchmark::State& state) { PressAndRelease(state, ActEmulKey, 116, 17); }
BENCHMARK(BM_JoyButtonPressKey);

void BM_JoyButtonPressMouseMove(benchmark::State& state) {
  PressAndRelease(state, ActEmulClick, MouseMoveRight, 0);
}
BENCHMARK(BM_JoyButtonPressMouseMove);

}  // namespace
}  // namespace vantrel

BENCHMARK_MAIN();

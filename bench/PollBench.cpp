// One polling run with 32 buttons, alternating between every input held
// (32 presses and two directions) and every input released.
#include <benchmark/benchmark.h>

#include "input/PollJoystick.h"

namespace vantrel {
namespace {

class AlternatingReader : public JoystickReader {
 public:
  void ReadAll() override {
    held_ = !held_;
    if (held_)
      states_.set();
    else
      states_.reset();
  }
  InputStates MergedStates() const override { return states_; }
  bool ButtonDown(int index) const override { return vantrel::ButtonDown(states_, index); }
  const ControllerState& Controller() const override { return controller_; }

 private:
  ControllerState controller_;
  bool held_ = false;
  InputStates states_;
};

void BM_PollJoystick32Buttons(benchmark::State& state) {
  BindingTable bindings(kMaxButtons);
  AlternatingReader reader;
  AxisRules rules;
  int calls = 0;
  const JoyButtonPressFn press = [&calls](std::uint8_t) { ++calls; };
  for (auto _ : state) {
    PollJoystick(bindings, reader, rules, press, 0);
    benchmark::DoNotOptimize(calls);
  }
  state.counters["calls/run"] =
      benchmark::Counter(static_cast<double>(calls), benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_PollJoystick32Buttons);

}  // namespace
}  // namespace vantrel

BENCHMARK_MAIN();

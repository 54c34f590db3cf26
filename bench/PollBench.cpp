// One read through the edge stage with 32 buttons, alternating between every
// input held (32 presses and two directions) and every input released.
#include <benchmark/benchmark.h>

#include "input/Edges.h"

namespace vantrel {
namespace {

class AlternatingPad : public PadReader {
 public:
  bool Read(Millis) override {
    held_ = !held_;
    state_.device = 1;
    if (held_) {
      state_.buttons.set();
      state_.axes[AxisX] = state_.axes[AxisY] = -1000;
    } else {
      state_ = {};
      state_.device = 1;
    }
    return true;
  }
  const PadState& State() const override { return state_; }
  const std::vector<PadState>& Passed() const override { return none_; }
  const PadControls& Controls() const override { return controls_; }

 private:
  PadState state_;
  PadControls controls_;
  std::vector<PadState> none_;
  bool held_ = false;
};

void BM_ReadEdges32Buttons(benchmark::State& state) {
  EdgeStage edges(32);
  AlternatingPad pad;
  std::size_t calls = 0;
  for (auto _ : state) {
    pad.Read(0);
    calls += edges.Read(0, pad, true, 0).size();
    benchmark::DoNotOptimize(calls);
  }
  state.counters["edges/read"] =
      benchmark::Counter(static_cast<double>(calls), benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_ReadEdges32Buttons);

}  // namespace
}  // namespace vantrel

BENCHMARK_MAIN();

// Timelines through the whole pipeline, driven by edges and time alone:
// no window, no timer.
#include "actions/Pipeline.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <numeric>
#include <string>
#include <vector>

namespace vantrel {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

// Keys as "k65" down and "^k65" up; moves summed.
struct Sink : InputSink {
  bool SendKeys(std::span<const KeyStroke> strokes) override {
    for (const KeyStroke& k : strokes) {
      if (k.vk == 0) continue;  // the modifier-less event
      const std::string key = (k.flags & kKeyEventKeyUp ? "^k" : "k") + std::to_string(k.vk);
      events.push_back(key);
      down[k.vk] += k.flags & kKeyEventKeyUp ? -1 : 1;
    }
    return true;
  }
  std::uint8_t ScanCode(std::uint8_t) override { return 0; }
  bool MouseEvent(std::uint32_t flags, std::int32_t dx, std::int32_t dy, std::int32_t) override {
    if (flags == kMouseMove) {
      x += dx;
      y += dy;
    } else {
      events.push_back("m" + std::to_string(flags));
      if (flags == kMouseLeftDown) ++buttons;
      if (flags == kMouseLeftUp) --buttons;
    }
    return true;
  }
  std::vector<std::string> events;
  std::map<int, int> down;  // every key's downs less its ups
  int buttons = 0;
  long x = 0, y = 0;
};

struct Host : ActionHost {
  void SetRowHeld(std::uint8_t e, bool h) override { red[e] = h; }
  bool TurboChecked(std::uint8_t e) const override { return turbo.contains(e); }
  std::string RowText(std::uint8_t) const override { return {}; }
  void SetRowText(std::uint8_t, const std::string&) override {}
  void LoadProfile(const std::string& path, std::uint8_t) override {
    if (onLoad) onLoad(path);
  }
  void ProfileSwitched(const std::string&, const std::string&) override {}
  void Launch(const std::string&) override {}
  std::map<int, bool> red;
  std::map<int, bool> turbo;
  std::function<void(const std::string&)> onLoad;
};

class PipelineTest : public ::testing::Test {
 protected:
  PipelineTest() { p.SetTrace(&trace); }
  void Edge(int e, bool down, Millis t) { p.Feed({0, static_cast<std::uint8_t>(e), down, t}); }

  BindingTable table{4};
  Sink sink;
  Host host;
  TraceLog trace;
  Pipeline p{table, sink, host};
};

TEST_F(PipelineTest, APressAndItsReleaseAsATimeline) {
  table[1] = {.VCode = 65, .Shift = 17, .Action = ActEmulKey};
  Edge(1, true, 5);
  EXPECT_TRUE(host.red[1]);
  Edge(1, false, 9);
  EXPECT_FALSE(host.red[1]);
  EXPECT_THAT(sink.events, ElementsAre("k17", "k65", "^k17", "^k65"));
  EXPECT_THAT(trace.lines, ElementsAre("5 ledger: press of entry 1", "5 dispatch: keys down 17+65",
                                       "9 dispatch: keys up 17+65"));
  EXPECT_EQ(p.NextDue(), kNever) << "nothing runs at rest";
}

// The accelerating pointer covers the same distance in the same time
// whatever the steps of the caller's clock.
TEST_F(PipelineTest, TheAcceleratingPointerCoversTheSameDistanceAtAnyStep) {
  table[1] = {.VCode = MouseMoveRight, .Action = ActEmulClick};
  std::vector<long> distances;
  for (Millis step : {1, 7, 16}) {
    sink.x = 0;
    Edge(1, true, 0);
    for (Millis t = step; t <= 1008; t += step) p.Advance(t);
    p.Advance(1008);
    Edge(1, false, 1008);
    distances.push_back(sink.x);
  }
  EXPECT_GT(distances[0], 600);
  EXPECT_THAT(distances, ElementsAre(distances[0], distances[0], distances[0]));
}

// A profile switch reloads the table during a read: the edges after it act
// under the new bindings.
TEST_F(PipelineTest, APressThatReloadsTheBindingsKeepsGoing) {
  table[1] = {.INI = {"C:\\a.ini", "C:\\b.ini"}, .INICount = 2, .Action = ActChangeIni};
  table[2] = {.VCode = 65, .Action = ActEmulKey};
  host.onLoad = [&](const std::string&) { table[2] = {.VCode = 66, .Action = ActEmulKey}; };
  Edge(1, true, 0);
  Edge(2, true, 0);
  Edge(2, false, 1);
  EXPECT_THAT(sink.events, ElementsAre("k66", "^k66"));
}

// Whatever order presses, releases, a release of everything and a change of
// the number of buttons come in, every key and button that went down comes
// up exactly once, and nothing more goes out after.
TEST_F(PipelineTest, TheLedgerLetsGoOfEverythingExactlyOnceInEveryOrder) {
  table.Resize(4);
  p.Edges.Resize(4);
  table[1] = {.VCode = 65, .Shift = 17, .Action = ActEmulKey};
  table[2] = {.VCode = 300, .Action = ActEmulClick};
  table[3] = {.VCode = 66, .Action = ActEmulKey};
  host.turbo[3] = true;
  table[4] = {.VCode = 67, .Action = ActEmulKey};
  // The moves of one run: each a press (+e), a release (-e), a release of
  // everything (*) or fewer buttons (3).
  std::vector<std::string> moves = {"+1", "+2", "+3", "+4", "-1", "-2", "-3", "-4", "*"};
  std::sort(moves.begin(), moves.end());
  int runs = 0;
  do {
    BindingTable t = table;
    Sink s;
    Host h;
    h.turbo = host.turbo;
    Pipeline run{t, s, h};
    Millis now = 0;
    for (const std::string& m : moves) {
      now += 30;
      run.Advance(now);
      if (m == "*") {
        run.ReleaseAll(now);
        continue;
      }
      const int e = m[1] - '0';
      run.Feed({0, static_cast<std::uint8_t>(e), m[0] == '+', now});
    }
    run.ReleaseAll(now + 1);
    run.Advance(now + 1000);
    for (const auto& [vk, balance] : s.down)
      ASSERT_EQ(balance, 0) << "key " << vk << " after " << ::testing::PrintToString(moves);
    ASSERT_EQ(s.buttons, 0) << ::testing::PrintToString(moves);
    ASSERT_EQ(run.NextDue(), kNever);
    ++runs;
  } while (std::next_permutation(moves.begin(), moves.end()) && runs < 20000);
  EXPECT_GT(runs, 1000);
}

}  // namespace
}  // namespace vantrel

// Layers as timelines through the pipeline: which layer decides a press,
// and that what a press put down comes up with its own input's release.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "actions/Pipeline.h"
#include "core/PipelineFixture.h"

namespace vantrel {
namespace {

using ::testing::ElementsAre;

constexpr std::uint16_t A = 65, B = 66, C = 67, D = 68, E = 69, F = 70;

Binding Key(std::uint16_t vk) { return {.VCode = vk, .Action = ActEmulKey}; }
Binding ToLayer(int n, LayerMode mode) {
  return {.Action = ActLayer,
          .Layer = static_cast<std::uint8_t>(n),
          .LayerMode = static_cast<std::uint8_t>(mode)};
}

// Button 1 types A in the base, B in layer 1, C in layer 2 and D in layer
// 3; layer 4 blocks it and layer 5 lets the layers below decide. Buttons 2
// to 8 put the layers on; button 9 types E, and in layer 1 repeats F.
BindingTable Layered() {
  BindingTable t(10);
  t[1] = Key(A);
  t.InLayer(1, 1) = Key(B);
  t.InLayer(2, 1) = Key(C);
  t.InLayer(3, 1) = Key(D);
  t.InLayer(4, 1) = Binding{};
  t[2] = ToLayer(1, LayerHold);
  t[3] = ToLayer(2, LayerToggle);
  t[4] = ToLayer(3, LayerOnce);
  t[5] = ToLayer(3, LayerSet);
  t[6] = ToLayer(0, LayerSet);
  t[7] = ToLayer(4, LayerHold);
  t[8] = ToLayer(5, LayerHold);
  t[9] = Key(E);
  t.InLayer(1, 9) = Binding{.VCode = F, .Turbo = true, .Action = ActEmulKey};
  return t;
}

// Runs moves ("+2" presses button 2, "-2" releases it) 10 ms apart and
// gives the keys that went out, "k66 ^k66".
struct Timeline {
  explicit Timeline(BindingTable t) : table(std::move(t)) {}
  std::string Moves(const std::string& moves) {
    std::istringstream in(moves);
    for (std::string m; in >> m;) {
      now += 10;
      p.Advance(now);
      p.Feed({0, static_cast<std::uint8_t>(std::stoi(m.substr(1))), m[0] == '+', now});
    }
    std::string keys;
    for (const std::string& k : sink.events) keys += (keys.empty() ? "" : " ") + k;
    return keys;
  }
  BindingTable table;
  test::KeySink sink;
  test::TimelineHost host;
  Pipeline p{table, sink, host};
  Millis now = 0;
};

struct Case {
  const char* what;
  const char* moves;
  const char* keys;
};

TEST(Layers, TheLayerThatDecidesEachPress) {
  const Case cases[] = {
      {"no layer: the base", "+1 -1", "k65 ^k65"},
      {"hold: on while held", "+2 +1 -1 -2 +1 -1", "k66 ^k66 k65 ^k65"},
      {"a key held while its layer goes comes up with its own button", "+2 +1 -2 -1 +1 -1",
       "k66 ^k66 k65 ^k65"},
      {"a layer coming on never fires a held key again", "+1 +2 -2 -1", "k65 ^k65"},
      {"toggle: a press on, the next off", "+3 -3 +1 -1 +3 -3 +1 -1", "k67 ^k67 k65 ^k65"},
      {"once: one press only", "+4 -4 +1 -1 +1 -1", "k68 ^k68 k65 ^k65"},
      {"once: its release too", "+4 -4 +1 +2 -1 -2", "k68 ^k68"},
      {"once pressed again is taken back", "+4 -4 +4 -4 +1 -1", "k65 ^k65"},
      {"once held past a press holds", "+4 +1 -1 +1 -1 -4 +1 -1", "k68 ^k68 k68 ^k68 k65 ^k65"},
      {"set stands until set to the base", "+5 -5 +1 -1 +1 -1 +6 -6 +1 -1",
       "k68 ^k68 k68 ^k68 k65 ^k65"},
      {"hold over toggle over the standing layer",
       "+5 -5 +3 -3 +2 +1 -1 -2 +1 -1 +3 -3 +1 -1 +6 -6 +1 -1",
       "k66 ^k66 k67 ^k67 k68 ^k68 k65 ^k65"},
      {"a hold over an older toggle", "+3 -3 +2 +1 -1", "k66 ^k66"},
      {"a toggle over an older hold", "+2 +3 -3 +1 -1", "k67 ^k67"},
      {"blocked: nothing", "+7 +1 -1 -7 +1 -1", "k65 ^k65"},
      {"blocked over a layer that binds it", "+2 +7 +1 -1", ""},
      {"transparent: the layer below decides", "+2 +8 +1 -1 -2 +8 +1 -1", "k66 ^k66 k65 ^k65"},
      {"an entry no layer binds: the base", "+2 +5 -5 +9 -9", "k69 ^k69"},
  };
  for (const Case& c : cases) {
    Timeline run(Layered());
    if (std::string(c.what) == "an entry no layer binds: the base") run.table.InLayer(1, 9).reset();
    EXPECT_EQ(run.Moves(c.moves), c.keys) << c.what << ": " << c.moves;
  }
}

TEST(Layers, TheHostHearsEachChangeOfTheLayerThatDecides) {
  Timeline run(Layered());
  run.Moves("+2 +3 -3 -2 +3 -3");
  EXPECT_THAT(run.host.layers, ElementsAre(1, 2, 0))
      << "hold 1, toggle 2 over it, the hold going below changes nothing, toggle off";
  run.host.layers.clear();
  run.Moves("+4 -4 +1 -1");
  EXPECT_THAT(run.host.layers, ElementsAre(3, 0)) << "once on, and off once used";
  run.host.layers.clear();
  run.Moves("+2 +2");  // a second press without a release in between changes nothing
  run.Moves("-2");
  EXPECT_THAT(run.host.layers, ElementsAre(1, 0));
}

TEST(Layers, TurboAndThePointerStickWorkInALayer) {
  Timeline run(Layered());
  run.Moves("+2 +9");
  for (Millis t = run.now; t <= run.now + 350; t += 5) run.p.Advance(t);
  run.now += 350;
  run.Moves("-9 -2");
  EXPECT_THAT(run.sink.events.size(), ::testing::Ge(4u)) << "F repeats from the layer's own box";
  EXPECT_EQ(run.sink.events.front(), "k70");
  EXPECT_EQ(run.sink.down[F], 0);

  // Layer 1 makes the stick a pointer: its directions type nothing there.
  BindingTable t = Layered();
  t[t.EntryUp] = Key(C);
  t.InLayer(1, t.EntryUp) = Binding{.VCode = kPointerStickCode, .Action = ActEmulClick};
  Timeline stick(t);
  const std::string up = std::to_string(t.EntryUp);
  EXPECT_EQ(stick.Moves("+2 +" + up + " -" + up + " -2 +" + up + " -" + up), "k67 ^k67");
  stick.Moves("+2");
  std::array<std::int32_t, kControllerAxes> axes{};
  axes[kStickAxes[0].vertical] = -1000;
  stick.p.Dispatch.FollowSticks(axes, StickReaches{});
  stick.p.Advance(stick.now + 500);
  EXPECT_LT(stick.sink.y, 0) << "the pointer moves while the layer is on";
  const long y = stick.sink.y;
  stick.Moves("-2");
  stick.p.Advance(stick.now + 500);
  EXPECT_EQ(stick.sink.y, y) << "and stops with it";
}

TEST(Layers, ASwitchReleasesEverythingAndDropsTheLayers) {
  BindingTable t = Layered();
  t[10] = {.INI = {"C:\\a.ini", "C:\\b.ini"}, .INICount = 2, .Action = ActChangeIni};
  Timeline run(t);
  run.host.onLoad = [&](const std::string&) { run.table.InLayer(1, 1) = Key(F); };
  EXPECT_EQ(run.Moves("+2 +1 +10"), "k66 ^k66") << "the held key comes up before the load";
  EXPECT_EQ(run.Moves("-1 -10 +1 -1"), "k66 ^k66 k65 ^k65")
      << "its release sends nothing more, and the layer held through the switch is gone";
  EXPECT_EQ(run.Moves("-2 +2 +1 -1"), "k66 ^k66 k65 ^k65 k70 ^k70") << "pressed anew, it is on";
}

// For many mixed sequences of presses, releases, releases of everything
// and layer drops: every key that goes down comes up exactly once, with
// its own input's release (or a release of everything), and nothing stays
// down or runs at the end.
TEST(Layers, EveryKeyComesUpOnceWithItsOwnInputsRelease) {
  const std::vector<std::string> alphabet = {"+1", "-1", "+2", "-2", "+3", "-3", "+4", "-4",
                                             "+5", "+6", "+7", "-7", "+9", "-9", "*",  "0"};
  std::mt19937 random(7);
  for (int run = 0; run < 3000; ++run) {
    BindingTable t = Layered();
    test::KeySink s;
    test::TimelineHost h;
    h.turbo[9] = true;
    Pipeline p{t, s, h};
    std::map<int, int> putDownBy;  // key -> the entry whose press sent it
    std::string moves;
    Millis now = 0;
    for (int i = 0; i < 14; ++i) {
      const std::string& m = alphabet[random() % alphabet.size()];
      moves += m + " ";
      now += 15;
      p.Advance(now);
      const std::size_t before = s.events.size();
      if (m == "*") {
        p.ReleaseAll(now);
      } else if (m == "0") {
        p.DropLayers(now);
      } else {
        const int e = std::stoi(m.substr(1));
        p.Feed({0, static_cast<std::uint8_t>(e), m[0] == '+', now});
        for (std::size_t k = before; k < s.events.size(); ++k) {
          const std::string& ev = s.events[k];
          const int vk = std::stoi(ev.substr(ev[0] == '^' ? 2 : 1));
          if (ev[0] == '^' && vk != F && vk != E) {  // a repeat's taps come up by time
            ASSERT_EQ(putDownBy[vk], e) << "key " << vk << " after " << moves;
          }
          if (ev[0] == 'k') putDownBy[vk] = e;
        }
      }
      for (const auto& [vk, balance] : s.down) ASSERT_GE(balance, 0) << moves;
      for (const auto& [vk, balance] : s.down) ASSERT_LE(balance, 1) << moves;
    }
    p.ReleaseAll(now + 1);
    p.Advance(now + 1000);
    for (const auto& [vk, balance] : s.down) ASSERT_EQ(balance, 0) << "key " << vk << ": " << moves;
    ASSERT_EQ(p.NextDue(), kNever) << moves;
  }
}

}  // namespace
}  // namespace vantrel

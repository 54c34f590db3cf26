// Tap, hold, double tap and chords as timelines through the pipeline: the
// presses and releases at their times, the loop woken only when the
// pipeline says something is due, and the keys that go out with the moment
// each went out.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <map>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "actions/Pipeline.h"
#include "core/PipelineFixture.h"

namespace vantrel {
namespace {

constexpr std::uint16_t Esc = 27, A = 65, B = 66, C = 67, D = 68, E = 69, F = 70, G = 71, H = 72,
                        I = 73, J = 74, K = 75, L = 76, M = 77;

Binding Key(std::uint16_t vk) { return {.VCode = vk, .Action = ActEmulKey}; }
Binding WithParts(Binding plain, std::vector<Binding> hold, std::vector<Binding> twice) {
  plain.Hold = std::move(hold);
  plain.Double = std::move(twice);
  return plain;
}

// Button 1 types A (in layer 1: F); 2 taps B, holds C; 3 taps D, double
// taps E; 4 does all three; 5 taps Esc and holds layer 1; 6 and 7 type H
// and I and together G; 8, 9 and 10 type K, L and M and together J; 11
// taps B and holds a repeat of C.
BindingTable Activated() {
  BindingTable t(11);
  t[1] = Key(A);
  t.InLayer(1, 1) = Key(F);
  t[2] = WithParts(Key(B), {Key(C)}, {});
  t[3] = WithParts(Key(D), {}, {Key(E)});
  t[4] = WithParts(Key(B), {Key(C)}, {Key(E)});
  t[5] = WithParts(Key(Esc), {{.Action = ActLayer, .Layer = 1, .LayerMode = LayerHold}}, {});
  t[6] = Key(H);
  t[7] = Key(I);
  t[8] = Key(K);
  t[9] = Key(L);
  t[10] = Key(M);
  t[11] = WithParts(Key(B), {{.VCode = C, .Turbo = true, .Action = ActEmulKey}}, {});
  t.Chords = {{{6, 7}, Key(G)}, {{8, 9, 10}, Key(J)}};
  return t;
}

// Runs moves ("+2@0" presses button 2 at 0 ms, "-2@199" releases it, "off@250"
// lets go of everything, "switch@100" drops the layers and what waits) to
// one second, waking only at the moves and when the pipeline says it is
// due, and gives the keys with their moments: "k66@199 ^k66@239".
struct Timeline {
  explicit Timeline(BindingTable t) : table(std::move(t)) {
    p.Configure({.turboInterval = 100});  // hold 200, double 250, tap 40, chord 50
  }
  std::string Moves(const std::string& moves) {
    std::istringstream in(moves);
    for (std::string m; in >> m;) {
      const std::size_t at = m.find('@');
      const Millis time = std::stoll(m.substr(at + 1));
      RunTo(time);
      if (m.starts_with("off"))
        p.ReleaseAll(time);
      else if (m.starts_with("switch"))
        p.DropLayers(time);
      else
        p.Feed({0, static_cast<std::uint8_t>(std::stoi(m.substr(1, at - 1))), m[0] == '+', time});
      Stamp(time);
    }
    RunTo(1000);
    return keys;
  }
  void RunTo(Millis end) {
    for (Millis due = p.NextDue(); due <= end; due = p.NextDue()) {
      p.Advance(due);
      Stamp(due);
    }
  }
  void Stamp(Millis time) {
    for (; seen < sink.events.size(); ++seen)
      keys += (keys.empty() ? "" : " ") + sink.events[seen] + "@" + std::to_string(time);
  }
  BindingTable table;
  test::KeySink sink;
  test::TimelineHost host;
  Pipeline p{table, sink, host};
  std::size_t seen = 0;
  std::string keys;
};

struct Case {
  const char* what;
  const char* moves;
  const char* keys;
};

TEST(Activators, WhatEachPressWasAndWhenItActed) {
  const Case cases[] = {
      {"an entry with neither acts at once", "+1@0 -1@100", "k65@0 ^k65@100"},
      {"released a moment before the hold time: a tap, held for the tap time", "+2@0 -2@199",
       "k66@199 ^k66@239"},
      {"held a moment past it: the hold, from the hold time", "+2@0 -2@201", "k67@200 ^k67@201"},
      {"a hold held long", "+2@0 -2@700", "k67@200 ^k67@700"},
      {"a second press within the window: the double, held with it", "+3@0 -3@50 +3@200 -3@260",
       "k69@200 ^k69@260"},
      {"the window passed: the tap at its end, the next press a new first one",
       "+3@0 -3@50 +3@310 -3@330", "k68@300 ^k68@340 k68@580 ^k68@620"},
      {"a lone tap of a double entry", "+3@0 -3@10", "k68@260 ^k68@300"},
      {"hold and double: held through the hold time", "+4@0 -4@250", "k67@200 ^k67@250"},
      {"hold and double: a tap and a second press", "+4@0 -4@50 +4@100 -4@400", "k69@100 ^k69@400"},
      {"hold and double: a tap alone", "+4@0 -4@50", "k66@300 ^k66@340"},
      {"tap-or-layer tapped alone", "+5@0 -5@100", "k27@100 ^k27@140"},
      {"tap-or-layer with another press: the layer, no tap", "+5@0 +1@50 -1@80 -5@100",
       "k70@50 ^k70@80"},
      {"tap-or-layer held past the hold time", "+5@0 -5@300", ""},
      {"a press after the layer's release is the base's", "+5@0 +1@50 -5@100 -1@150",
       "k70@50 ^k70@150"},
      {"a chord inside its window", "+6@0 +7@30 -6@100 -7@120", "k71@30 ^k71@100"},
      {"a chord missed: each its own, the first late by the window", "+6@0 +7@60 -6@100 -7@120",
       "k72@50 ^k72@100 k73@110 ^k73@120"},
      {"a member released inside the window: a tap", "+6@0 -6@20", "k72@20 ^k72@60"},
      {"a three-entry chord", "+8@0 +9@10 +10@40 -9@100 -8@110 -10@120", "k74@40 ^k74@100"},
      {"two of three: their own, at the window's end", "+8@0 +9@10 -8@100 -9@120",
       "k75@50 k76@50 ^k75@100 ^k76@120"},
      {"an entry of no chord is not held back by a window", "+6@0 +1@10 -1@20 -6@100",
       "k65@10 ^k65@20 k72@50 ^k72@100"},
      {"a hold of a repeat repeats; its tap is one press", "+11@0 -11@450 +11@500 -11@510",
       "k67@300 ^k67@350 k67@400 ^k67@450 k66@510 ^k66@550"},
      {"a switch drops a tap waiting for its double", "+3@0 -3@50 switch@100", ""},
      {"a switch drops a press not yet decided; its release does nothing", "+2@0 switch@100 -2@150",
       ""},
      {"a switch drops a chord's window", "+6@0 switch@20 -6@100", ""},
      {"a decided hold stays down through a switch", "+2@0 switch@250 -2@300", "k67@200 ^k67@300"},
      {"everything let go of: the hold comes up", "+2@0 off@250", "k67@200 ^k67@250"},
      {"everything let go of: a chord comes up, its members do nothing more",
       "+6@0 +7@10 off@50 -6@60 -7@70", "k71@10 ^k71@50"},
  };
  for (const Case& c : cases) {
    Timeline t(Activated());
    EXPECT_EQ(t.Moves(c.moves), c.keys) << c.what << ": " << c.moves;
    for (const auto& [vk, balance] : t.sink.down) EXPECT_EQ(balance, 0) << c.what << ": " << vk;
    EXPECT_EQ(t.p.NextDue(), kNever) << c.what;
  }
}

TEST(Activators, TheLayerOfATapOrLayerEntryIsOnFromThePress) {
  Timeline t(Activated());
  t.Moves("+5@0 -5@100");
  EXPECT_THAT(t.host.layers, ::testing::ElementsAre(1, 0));
}

TEST(Activators, TheTimesComeFromTheSettings) {
  Timeline t(Activated());
  t.p.Configure({.holdTime = 300, .doubleTime = 100, .tapTime = 10, .chordTime = 20});
  EXPECT_EQ(t.Moves("+2@0 -2@250 +3@300 -3@310 +6@400 +7@430 -6@450 -7@460"),
            "k66@250 ^k66@260 k68@410 k72@420 ^k68@420 k73@450 ^k72@450 ^k73@460");
}

// Random presses, releases, switches and releases of everything: every key
// that goes down comes up exactly once, never twice down, and nothing is
// left waiting.
TEST(Activators, EveryKeyComesUpOnceWhateverTheOrder) {
  const std::vector<std::string> alphabet = {"+1", "-1", "+2", "-2", "+3",  "-3",    "+4",
                                             "-4", "+5", "-5", "+6", "-6",  "+7",    "-7",
                                             "+8", "-8", "+9", "-9", "off", "switch"};
  std::mt19937 random(11);
  for (int run = 0; run < 1500; ++run) {
    Timeline t(Activated());
    std::string moves;
    Millis now = 0;
    std::map<std::string, bool> held;
    for (int i = 0; i < 16; ++i) {
      now += static_cast<Millis>(random() % 120);
      const std::string& m = alphabet[random() % alphabet.size()];
      // A controller's presses and releases of one entry alternate.
      if (m[0] == '+' || m[0] == '-') {
        bool& down = held[m.substr(1)];
        if (down == (m[0] == '+')) continue;
        down = !down;
      }
      moves += m + "@" + std::to_string(now) + " ";
    }
    t.Moves(moves);
    for (const auto& [vk, balance] : t.sink.down) ASSERT_GE(balance, 0) << moves;
    t.p.ReleaseAll(2000);
    t.RunTo(3000);
    for (const auto& [vk, balance] : t.sink.down) ASSERT_EQ(balance, 0) << vk << ": " << moves;
    ASSERT_EQ(t.p.NextDue(), kNever) << moves;
  }
}

}  // namespace
}  // namespace vantrel

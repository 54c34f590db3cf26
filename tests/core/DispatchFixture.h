#pragma once
// The fixture of the dispatch tests: a sink and a host that record what
// the pipeline does, a pad the test scripts, and a clock moved by hand.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <map>
#include <span>
#include <string>
#include <vector>

#include "actions/Pipeline.h"

namespace vantrel::test {

// Records injected input as short texts: "k17" key down, "^k17" key up,
// "m2" mouse flags, "mv3,0" a move, "w120" the wheel; and the keys again
// with their scan codes: "k37/75e" for extended.
// While `refusing`, the system takes nothing (a locked session): nothing
// is recorded and every call answers false.
struct Recorder : InputSink {
  bool SendKeys(std::span<const KeyStroke> strokes) override {
    if (refusing) return false;
    for (const KeyStroke& k : strokes) {
      const std::string key =
          std::string(k.flags & kKeyEventKeyUp ? "^k" : "k") + std::to_string(k.vk);
      events.push_back(key);
      keys.push_back(key + "/" + std::to_string(k.scan) +
                     (k.flags & kKeyEventExtendedKey ? "e" : ""));
    }
    ++calls;
    return true;
  }
  // A layout in which every key's scan code is its virtual-key code plus one.
  std::uint8_t ScanCode(std::uint8_t vk) override { return static_cast<std::uint8_t>(vk + 1); }
  bool MouseEvent(std::uint32_t flags, std::int32_t dx, std::int32_t dy,
                  std::int32_t data) override {
    if (refusing) return false;
    if (flags == kMouseMove)
      events.push_back("mv" + std::to_string(dx) + "," + std::to_string(dy));
    else if (flags == kMouseWheel)
      events.push_back("w" + std::to_string(data));
    else
      events.push_back("m" + std::to_string(flags));
    return true;
  }
  bool refusing = false;
  int calls = 0;  // SendKeys calls taken
  std::vector<std::string> Take() { return std::exchange(events, {}); }
  std::vector<std::string> TakeKeys() { return std::exchange(keys, {}); }
  std::vector<std::string> events, keys;
};

struct Host : ActionHost {
  void SetRowHeld(std::uint8_t e, bool h) override { held[e] = h; }
  bool TurboChecked(std::uint8_t e) const override { return turbo.contains(e) && turbo.at(e); }
  std::string RowText(std::uint8_t e) const override { return rows.contains(e) ? rows.at(e) : ""; }
  void SetRowText(std::uint8_t e, const std::string& t) override { rows[e] = t; }
  void LoadProfile(const std::string& path, std::uint8_t skip) override {
    loads.push_back(path);
    skipped = skip;
    if (onLoad) onLoad(path);
  }
  void ProfileSwitched(const std::string& cur, const std::string& next) override {
    popup.push_back(cur + " / " + next);
  }
  void Launch(const std::string& command) override { launched.push_back(command); }

  std::map<int, bool> held, turbo;
  std::map<int, std::string> rows;
  std::vector<std::string> loads, popup, launched;
  std::function<void(const std::string&)> onLoad;
  int skipped = -1;
};

// A pad whose reads give the state the test sets.
struct ScriptedPad : PadReader {
  bool Read(Millis) override { return true; }
  const PadState& State() const override { return state; }
  const std::vector<PadState>& Passed() const override { return passed; }
  const PadControls& Controls() const override { return controls; }
  PadState state;
  std::vector<PadState> passed;
  PadControls controls;
};

class DispatchTest : public ::testing::Test {
 protected:
  void Press(int e) { Edge(e, 1); }
  void Release(int e) { Edge(e, 0); }
  // An edge of entry `e` at the time now, as the edge stage gives it.
  void Edge(int e, bool down) { d.Feed({0, static_cast<std::uint8_t>(e), down, now}); }
  // Moves the clock to `t`, as the message loop does when something is due.
  void At(Millis t) {
    now = t;
    d.Advance(t);
  }
  // One step of the accelerating pointer: 7 ms on.
  void Step() { At(now + kPointerPeriodMs); }
  bool Due() const { return d.NextDue() != kNever; }
  // The moves of `steps` steps of 7 ms, "dx,dy" each (a still step is "0,0").
  std::vector<std::string> Moves(int steps) {
    std::vector<std::string> moves;
    for (int i = 0; i < steps; ++i) {
      sink.events.clear();
      Step();
      moves.push_back(sink.events.empty() ? "0,0" : sink.events.front().substr(2));
    }
    sink.events.clear();
    return moves;
  }
  // One axis of those moves.
  std::vector<int> Steps(int steps, bool xAxis = true) {
    std::vector<int> axis;
    for (const std::string& mv : Moves(steps)) {
      const auto comma = mv.find(',');
      axis.push_back(std::stoi(xAxis ? mv.substr(0, comma) : mv.substr(comma + 1)));
    }
    return axis;
  }
  Millis now = 0;
  BindingTable table{4};
  Recorder sink;
  Host host;
  Pipeline d{table, sink, host};
};

}  // namespace vantrel::test

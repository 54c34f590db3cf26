#pragma once
// The input pipeline, from a controller's states to the input injected:
//
//   reader -> edges (pad, entry, down or up, time) -> chords -> layer stack
//     -> activators -> press ledger -> dispatch
//
// Each stage is given the time; the pipeline says when it next needs to run
// (NextDue), and runs nothing while nothing is due. A press is resolved to
// its action once, when it comes, through the layers on at that moment; an
// entry with a Hold or Double action then waits for the activators to say
// what the press was. The ledger keeps what each action put down, and its
// release undoes exactly that, whatever the table or the layers hold by then.
#include <array>
#include <cstdint>
#include <vector>

#include "actions/ActionHost.h"
#include "actions/Activators.h"
#include "actions/Dispatch.h"
#include "actions/InputSink.h"
#include "actions/LayerStack.h"
#include "actions/PressLedger.h"
#include "base/Time.h"
#include "base/Trace.h"
#include "bindings/Binding.h"
#include "input/ChordStage.h"
#include "input/Edges.h"
#include "input/PadState.h"

namespace vantrel {

class Pipeline {
 public:
  Pipeline(BindingTable& table, InputSink& sink, ActionHost& host)
      : Dispatch(table, sink, host), table_(table), host_(host) {
    Edges.Resize(table.NumOfButtons());
  }

  // The settings that concern the pipeline, in one value.
  void Configure(const PipelineSettings& settings);
  const PipelineSettings& Settings() const { return Dispatch.Settings; }
  void SetTrace(TraceSink* trace);

  // One read of `pad`: its edges go through, in order. `gotState`: whether
  // the read gave a state (none: everything held comes up).
  void Read(std::uint8_t pad, const PadReader& reader, bool gotState, Millis now);
  // One edge, through every stage.
  void Feed(const Edge& edge);
  // Brings every stage up to `now`.
  void Advance(Millis now);
  Millis NextDue() const;
  // Whether anything is held or moving: an entry's input, a key, a mouse
  // button, a repeat, the pointer.
  bool Busy() const;
  bool InputHeld(int entry) const { return Edges.Held(0, entry); }

  // Everything the presses put down comes up, their rows turn blue, and the
  // inputs still held are pressed anew at the next read: before a profile
  // changes under them, a controller goes, or the session is left.
  void ReleaseAll(Millis now);
  // Every layer off, back to the base, and every decision pending dropped
  // without firing: before another profile comes in.
  void DropLayers(Millis now);
  // The number of buttons changes: the buttons that go let go of what they
  // hold; the entries after the buttons move with theirs, so a direction
  // held through the change neither comes up nor goes down again.
  void Resize(int numOfButtons, Millis now);

  // The stages, in the order an edge goes through them.
  EdgeStage Edges;
  ChordStage Chords;
  LayerStack Layers;
  ActivatorStage Activators;
  PressLedger Ledger;
  Dispatcher Dispatch;

 private:
  // A press resolved through the layers, kept while the activators decide.
  struct Resolved {
    Binding binding;
    bool base = true;  // decided by the base: the row's Turbo box counts
  };
  // A decided tap's release, due a tap time after it went down.
  struct TapUp {
    std::uint8_t pad = 0, slot = 0;
    Millis at = 0;
  };

  void Step(const ChordStep& step);
  void PressChord(const ChordStep& step);
  void Activate(const Edge& edge);
  void Press(const Edge& edge);
  void Perform(const std::vector<Act>& acts);
  // One action going down for the ledger's `slot`, from entry `e`.
  Held PressAction(std::uint8_t pad, std::uint8_t slot, std::uint8_t e, const Binding& b,
                   bool turbo, Millis time);
  // Lets go of what the slot holds, and of its pending tap release.
  void Lift(std::uint8_t pad, std::uint8_t slot, Millis time);
  bool TapPending(std::uint8_t pad, std::uint8_t slot) const;
  // Whether the input's press takes back a Once layer one of its actions
  // put on.
  bool CancelOnce(std::uint8_t pad, std::uint8_t e);
  // The chords of the table, told to the chord stage when they change; a
  // chord down under the old ones comes up.
  void SyncChords(Millis time);
  // The decisions due up to `now` (hold, double and chord windows, tap
  // releases), each at its own time, in order.
  void Decide(Millis now);
  Millis DecisionDue() const;
  void DropPending();
  void Undo(const Held& held, Millis time);
  // What the presses hold goes up, and the layers drop, before a switching
  // entry loads another profile; their inputs do nothing more until they
  // are pressed anew.
  void LeaveProfile(Millis time);
  // Tells the host when the layer that decides first has changed.
  void LayersChanged(Millis time);

  BindingTable& table_;
  ActionHost& host_;
  TraceSink* trace_ = nullptr;
  int top_ = 0;
  std::vector<std::vector<std::uint8_t>> chords_;
  std::array<std::array<Resolved, kSlotsPerSource>, kMaxPads> resolved_{};
  std::vector<TapUp> tapUps_;
};

}  // namespace vantrel

#pragma once
// The input pipeline, from a controller's states to the input injected:
//
//   reader -> edges (pad, entry, down or up, time) -> press ledger -> dispatch
//
// Each stage is given the time; the pipeline says when it next needs to run
// (NextDue), and runs nothing while nothing is due. A press is resolved to
// its action once, when it comes; the ledger keeps what it put down, and its
// release undoes exactly that, whatever the table holds by then.
#include <cstdint>
#include <vector>

#include "actions/ActionHost.h"
#include "actions/Dispatch.h"
#include "actions/InputSink.h"
#include "actions/PressLedger.h"
#include "base/Time.h"
#include "base/Trace.h"
#include "bindings/Binding.h"
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
  // One edge, through the ledger and dispatch.
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
  // The number of buttons changes: the buttons that go let go of what they
  // hold; the entries after the buttons move with theirs, so a direction
  // held through the change neither comes up nor goes down again.
  void Resize(int numOfButtons, Millis now);

  // The stages, in the order an edge goes through them.
  EdgeStage Edges;
  PressLedger Ledger;
  Dispatcher Dispatch;

 private:
  BindingTable& table_;
  ActionHost& host_;
  TraceSink* trace_ = nullptr;
};

}  // namespace vantrel

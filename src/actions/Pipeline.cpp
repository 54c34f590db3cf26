#include "actions/Pipeline.h"

#include <algorithm>
#include <exception>

namespace vantrel {

void Pipeline::Configure(const PipelineSettings& settings) {
  Dispatch.Settings = settings;
  Edges.SetDeadZoneAxes(settings.deadZoneAxes);
}

void Pipeline::SetTrace(TraceSink* trace) {
  trace_ = trace;
  Edges.SetTrace(trace);
  Dispatch.Trace = trace;
}

void Pipeline::Read(std::uint8_t pad, const PadReader& reader, bool gotState, Millis now) {
  Dispatch.Advance(now);  // what ran until now ran under the state before
  for (const Edge& edge : Edges.Read(pad, reader, gotState, now)) Feed(edge);
}

void Pipeline::Feed(const Edge& edge) {
  if (!table_.IsEntry(edge.entry)) return;
  const std::uint8_t e = edge.entry;
  // The row follows once the input has gone out, whatever the action threw.
  std::exception_ptr failure;
  try {
    // A press never stacks on an unreleased one.
    Undo(Ledger.Take(edge.pad, e), edge.time);
    if (edge.down && !Dispatch.Quiet && !Dispatch.Away) Ledger.Put(edge.pad, e, Resolve(edge));
  } catch (...) {
    failure = std::current_exception();
  }
  LayersChanged(edge.time);
  host_.SetRowHeld(e, edge.down);
  if (failure) std::rethrow_exception(failure);
}

Held Pipeline::Resolve(const Edge& edge) {
  const std::uint8_t e = edge.entry;
  if (Layers.CancelOnce(edge.pad, e)) {
    Trace(trace_, edge.time, "layers",
          [&] { return "once taken back by entry " + std::to_string(e); });
    return {};
  }
  // A direction of a pointer stick does nothing of its own: the stick
  // moves the pointer (FollowSticks).
  const PointerStick stick = table_.StickOf(e);
  if (stick != PointerStick::None && table_.PointerEntryOf(stick, Layers.TopFirst()) != 0)
    return {};
  int decidedBy = 0;
  // A copy: a switch reloads the table under it.
  const Binding b = table_.Resolve(Layers.TopFirst(), e, &decidedBy);
  if (decidedBy)
    Trace(trace_, edge.time, "layers", [&] {
      return "entry " + std::to_string(e) + " from layer " + std::to_string(decidedBy);
    });
  if (b.Action == ActLayer) {
    const Held held = Layers.Press(edge.pad, e, b);
    Layers.Pressed(edge.pad, e);
    return held;
  }
  if (b.Action == ActChangeIni && (Layers.Any() || table_.HasLayers())) LeaveProfile(edge.time);
  // The base's Turbo box is the row's; a layer's is its binding's.
  const bool turbo = decidedBy == 0 ? host_.TurboChecked(e) : b.Turbo;
  Trace(trace_, edge.time, "ledger", [&] { return "press of entry " + std::to_string(e); });
  const Held held = Dispatch.Press(e, b, turbo, edge.time);
  Layers.Pressed(edge.pad, e);
  return held;
}

void Pipeline::Undo(const Held& held, Millis time) {
  if (held.kind == Held::Layer)
    Layers.Release(held);
  else
    Dispatch.Release(held, time);
}

void Pipeline::LeaveProfile(Millis time) {
  for (const Held& held : Ledger.TakeAll()) Undo(held, time);
  Layers.Drop();
}

void Pipeline::DropLayers(Millis now) {
  Layers.Drop();
  LayersChanged(now);
}

void Pipeline::LayersChanged(Millis time) {
  Dispatch.Layers = Layers.TopFirst();
  if (Layers.Top() == top_) return;
  top_ = Layers.Top();
  Trace(trace_, time, "layers", [&] { return "layer " + std::to_string(top_) + " decides"; });
  host_.LayerChanged(top_);
}

void Pipeline::Advance(Millis now) {
  std::vector<Edge> settled;
  Edges.Advance(now, settled);
  for (const Edge& edge : settled) Feed(edge);
  Dispatch.Advance(now);
}

Millis Pipeline::NextDue() const { return std::min(Edges.NextDue(), Dispatch.NextDue()); }

bool Pipeline::Busy() const {
  return Edges.AnyHeld() || Ledger.AnyDown() || Dispatch.Moving() || Edges.NextDue() != kNever;
}

void Pipeline::ReleaseAll(Millis now) {
  std::vector<Edge> released;
  for (std::uint8_t pad = 0; pad < kMaxPads; ++pad) Edges.ReleaseAll(pad, now, released);
  for (const Edge& edge : released) Feed(edge);
  // What no held input stands for any more (an entry the table lost).
  for (const Held& held : Ledger.TakeAll()) Undo(held, now);
  LayersChanged(now);
}

void Pipeline::Resize(int numOfButtons, Millis now) {
  const int oldButtons = table_.NumOfButtons();
  const int oldEntries = table_.EntryCount();
  std::vector<Edge> gone;
  Edges.Resize(numOfButtons, &gone, now);
  for (const Held& held : Ledger.Resize(oldButtons, Edges.NumOfButtons(), oldEntries))
    Undo(held, now);
  // The layers are kept by entry number, which the change moves.
  Layers.Drop();
  LayersChanged(now);
  if (Dispatch.TurboEntry > oldButtons)
    Dispatch.TurboEntry =
        static_cast<std::uint8_t>(Dispatch.TurboEntry - oldButtons + Edges.NumOfButtons());
  table_.Resize(numOfButtons);
}

}  // namespace vantrel

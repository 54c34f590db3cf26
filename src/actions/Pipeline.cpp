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
    Dispatch.Release(Ledger.Take(edge.pad, e), edge.time);
    // A direction of a pointer stick does nothing of its own: the stick
    // moves the pointer (FollowSticks).
    if (edge.down && !Dispatch.Quiet && !Dispatch.Away && !table_.PointerOwns(e)) {
      Trace(trace_, edge.time, "ledger", [&] { return "press of entry " + std::to_string(e); });
      Ledger.Put(edge.pad, e, Dispatch.Press(e, edge.time));
    }
  } catch (...) {
    failure = std::current_exception();
  }
  host_.SetRowHeld(e, edge.down);
  if (failure) std::rethrow_exception(failure);
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
  for (const Held& held : Ledger.TakeAll()) Dispatch.Release(held);
}

void Pipeline::Resize(int numOfButtons, Millis now) {
  const int oldButtons = table_.NumOfButtons();
  const int oldEntries = table_.EntryCount();
  std::vector<Edge> gone;
  Edges.Resize(numOfButtons, &gone, now);
  for (const Held& held : Ledger.Resize(oldButtons, Edges.NumOfButtons(), oldEntries))
    Dispatch.Release(held);
  if (Dispatch.TurboEntry > oldButtons)
    Dispatch.TurboEntry = static_cast<std::uint8_t>(Dispatch.TurboEntry - oldButtons + Edges.NumOfButtons());
  table_.Resize(numOfButtons);
}

}  // namespace vantrel

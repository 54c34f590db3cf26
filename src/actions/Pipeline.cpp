#include "actions/Pipeline.h"

#include <algorithm>
#include <exception>

namespace vantrel {

namespace {

constexpr Source kSources[] = {Source::Plain, Source::Hold, Source::Double};

Source SourceOf(Act::Which which) {
  return which == Act::Hold ? Source::Hold : which == Act::Double ? Source::Double : Source::Plain;
}

}  // namespace

void Pipeline::Configure(const PipelineSettings& settings) {
  Dispatch.Settings = settings;
  Edges.SetDeadZoneAxes(settings.deadZoneAxes);
  Activators.Configure({settings.holdTime, settings.doubleTime, settings.tapTime});
  Chords.Configure(chords_, settings.chordTime);
}

void Pipeline::SetTrace(TraceSink* trace) {
  trace_ = trace;
  Edges.SetTrace(trace);
  Dispatch.Trace = trace;
}

void Pipeline::Read(std::uint8_t pad, const PadReader& reader, bool gotState, Millis now) {
  Dispatch.Advance(now);  // what ran until now ran under the state before
  for (const Edge& edge : Edges.Read(pad, reader, gotState, now)) {
    // A decision falls due before an edge that comes after its time.
    Decide(edge.time);
    Feed(edge);
  }
  Decide(now);
}

void Pipeline::Feed(const Edge& edge) {
  if (!table_.IsEntry(edge.entry)) return;
  // The row follows once the input has gone out, whatever the action threw.
  std::exception_ptr failure;
  try {
    SyncChords(edge.time);
    std::vector<ChordStep> steps;
    Chords.Feed(edge, steps);
    for (const ChordStep& step : steps) Step(step);
  } catch (...) {
    failure = std::current_exception();
  }
  LayersChanged(edge.time);
  host_.SetRowHeld(edge.entry, edge.down);
  if (failure) std::rethrow_exception(failure);
}

void Pipeline::Step(const ChordStep& step) {
  if (step.chord >= 0) return PressChord(step);
  Activate(step.edge);
  if (!step.tap) return;
  // A press the chord window held back until its release: a tap.
  Edge up = step.edge;
  up.down = false;
  if (Activators.Tracks(up.pad, up.entry))
    Activate(up);
  else if (Ledger.Holds(up.pad, up.entry))
    tapUps_.push_back({up.pad, up.entry, up.time + Dispatch.Settings.tapTime});
}

void Pipeline::PressChord(const ChordStep& step) {
  const Edge& edge = step.edge;
  const std::uint8_t slot = Slot(Source::Chord, step.chord);
  Lift(edge.pad, slot, edge.time);
  if (!edge.down || Dispatch.Silent()) return;
  if (static_cast<std::size_t>(step.chord) >= table_.Chords.size()) return;
  Activators.OtherPressed(edge.pad, edge.entry);
  Trace(trace_, edge.time, "chords", [&] { return "chord " + std::to_string(step.chord + 1); });
  // A copy: a switch reloads the table under it.
  const Binding b = table_.Chords[static_cast<std::size_t>(step.chord)].action;
  Ledger.Put(edge.pad, slot, PressAction(edge.pad, slot, 0, b, b.Turbo, edge.time));
}

void Pipeline::Activate(const Edge& edge) {
  const std::uint8_t pad = edge.pad, e = edge.entry;
  std::vector<Act> acts;
  if (!edge.down) {
    if (Activators.Tracks(pad, e))
      Activators.Release(pad, e, edge.time, acts);
    else
      Lift(pad, e, edge.time);
    return Perform(acts);
  }
  if (Activators.AwaitsSecond(pad, e)) {
    Activators.Second(pad, e, edge.time, acts);
    return Perform(acts);
  }
  // A press never stacks on an unreleased one; a tap on its way up keeps
  // its time down unless the press puts something in its place.
  if (!TapPending(pad, e)) Lift(pad, e, edge.time);
  if (!Dispatch.Silent()) Press(edge);
}

void Pipeline::Press(const Edge& edge) {
  const std::uint8_t pad = edge.pad, e = edge.entry;
  Activators.OtherPressed(pad, e);
  if (CancelOnce(pad, e)) {
    Trace(trace_, edge.time, "layers",
          [&] { return "once taken back by entry " + std::to_string(e); });
    return;
  }
  // A direction of a pointer stick does nothing of its own: the stick
  // moves the pointer (FollowSticks).
  const PointerStick stick = table_.StickOf(e);
  if (stick != PointerStick::None && table_.PointerEntryOf(stick, Layers.TopFirst()) != 0) return;
  int decidedBy = 0;
  const Binding& b = table_.Resolve(Layers.TopFirst(), e, &decidedBy);
  if (decidedBy)
    Trace(trace_, edge.time, "layers", [&] {
      return "entry " + std::to_string(e) + " from layer " + std::to_string(decidedBy);
    });
  if (!Waits(b)) {
    // A copy: a switch reloads the table under it. The base's Turbo box is
    // the row's; a layer's is its binding's.
    const Binding own = b;
    const bool turbo = decidedBy == 0 ? host_.TurboChecked(e) : own.Turbo;
    Trace(trace_, edge.time, "ledger", [&] { return "press of entry " + std::to_string(e); });
    Lift(pad, e, edge.time);
    Ledger.Put(pad, e, PressAction(pad, e, e, own, turbo, edge.time));
    return;
  }
  resolved_[pad][e] = {b, decidedBy == 0};
  const Binding* hold = Bound(b.Hold);
  const EntryShape shape{hold != nullptr, Bound(b.Double) != nullptr,
                         hold && hold->Action == ActLayer && hold->LayerMode == LayerHold};
  std::vector<Act> acts;
  Activators.Press(pad, e, shape, edge.time, acts);
  Perform(acts);
}

void Pipeline::Perform(const std::vector<Act>& acts) {
  for (const Act& act : acts) {
    const std::uint8_t slot = Slot(SourceOf(act.which), act.entry);
    Lift(act.pad, slot, act.time);
    if (act.kind == Act::Up || Dispatch.Silent()) continue;
    const Resolved& r = resolved_[act.pad][act.entry];
    // A copy: a switch reloads the table under it.
    const Binding b = act.which == Act::Plain  ? r.binding
                      : act.which == Act::Hold ? r.binding.Hold.front()
                                               : r.binding.Double.front();
    // A tap of a turbo key is one key press.
    const bool turbo =
        act.kind != Act::Tap &&
        (act.which == Act::Plain && r.base ? host_.TurboChecked(act.entry) : b.Turbo);
    Trace(trace_, act.time, "activators", [&] {
      static constexpr const char* kWhich[] = {"tap", "hold", "double"};
      return std::string(kWhich[act.which]) + " of entry " + std::to_string(act.entry);
    });
    Ledger.Put(act.pad, slot, PressAction(act.pad, slot, act.entry, b, turbo, act.time));
    if (act.kind == Act::Tap && Ledger.Holds(act.pad, slot))
      tapUps_.push_back({act.pad, slot, act.time + Dispatch.Settings.tapTime});
  }
}

Held Pipeline::PressAction(std::uint8_t pad, std::uint8_t slot, std::uint8_t e, const Binding& b,
                           bool turbo, Millis time) {
  if (b.Action == ActLayer) {
    const Held held = Layers.Press(pad, slot, b);
    Layers.Pressed(pad, slot);
    return held;
  }
  if (b.Action == ActChangeIni) {
    if (Layers.Any() || table_.HasLayers())
      LeaveProfile(time);
    else
      DropPending();
  }
  const Held held = Dispatch.Press(e, b, turbo, time);
  Layers.Pressed(pad, slot);
  return held;
}

void Pipeline::Lift(std::uint8_t pad, std::uint8_t slot, Millis time) {
  std::erase_if(tapUps_, [&](const TapUp& up) { return up.pad == pad && up.slot == slot; });
  Undo(Ledger.Take(pad, slot), time);
}

bool Pipeline::TapPending(std::uint8_t pad, std::uint8_t slot) const {
  return std::any_of(tapUps_.begin(), tapUps_.end(),
                     [&](const TapUp& up) { return up.pad == pad && up.slot == slot; });
}

bool Pipeline::CancelOnce(std::uint8_t pad, std::uint8_t e) {
  bool cancelled = false;
  for (const Source source : kSources) cancelled |= Layers.CancelOnce(pad, Slot(source, e));
  return cancelled;
}

void Pipeline::Undo(const Held& held, Millis time) {
  if (held.kind == Held::Layer)
    Layers.Release(held);
  else
    Dispatch.Release(held, time);
}

void Pipeline::SyncChords(Millis time) {
  if (table_.Chords.size() == chords_.size() &&
      std::equal(chords_.begin(), chords_.end(), table_.Chords.begin(),
                 [](const auto& entries, const Chord& c) { return entries == c.entries; }))
    return;
  chords_.clear();
  for (const Chord& c : table_.Chords) chords_.push_back(c.entries);
  Chords.Configure(chords_, Dispatch.Settings.chordTime);
  for (const Held& held : Ledger.TakeFrom(Slot(Source::Chord, 0))) Undo(held, time);
}

void Pipeline::Decide(Millis now) {
  for (;;) {
    const Millis due = DecisionDue();
    if (due > now) return;
    // The repeats and the pointer run up to the decision, then under it.
    if (due > Dispatch.Now()) Dispatch.Advance(due);
    std::vector<ChordStep> steps;
    Chords.Advance(due, steps);
    for (const ChordStep& step : steps) Step(step);
    std::vector<Act> acts;
    Activators.Advance(due, acts);
    Perform(acts);
    std::vector<TapUp> ups;
    for (const TapUp& up : tapUps_)
      if (up.at <= due) ups.push_back(up);
    for (const TapUp& up : ups) Lift(up.pad, up.slot, up.at);
    LayersChanged(due);
  }
}

Millis Pipeline::DecisionDue() const {
  Millis due = std::min(Chords.NextDue(), Activators.NextDue());
  for (const TapUp& up : tapUps_) due = std::min(due, up.at);
  return due;
}

void Pipeline::DropPending() {
  Chords.DropWaiting();
  Activators.DropPending();
}

void Pipeline::LeaveProfile(Millis time) {
  tapUps_.clear();
  for (const Held& held : Ledger.TakeAll()) Undo(held, time);
  Layers.Drop();
  Chords.Drop();
  Activators.Drop();
}

void Pipeline::DropLayers(Millis now) {
  DropPending();
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
  Decide(now);
  std::vector<Edge> settled;
  Edges.Advance(now, settled);
  for (const Edge& edge : settled) Feed(edge);
  Dispatch.Advance(now);
}

Millis Pipeline::NextDue() const {
  return std::min({Edges.NextDue(), Dispatch.NextDue(), DecisionDue()});
}

bool Pipeline::Busy() const {
  return Edges.AnyHeld() || Ledger.AnyDown() || Dispatch.Moving() || Edges.NextDue() != kNever ||
         DecisionDue() != kNever;
}

void Pipeline::ReleaseAll(Millis now) {
  // What waits for a decision is dropped; what was decided comes up.
  Chords.Drop();
  Activators.Drop();
  std::vector<Edge> released;
  for (std::uint8_t pad = 0; pad < kMaxPads; ++pad) Edges.ReleaseAll(pad, now, released);
  for (const Edge& edge : released) Feed(edge);
  // What no held input stands for any more (an entry the table lost, a
  // hold, a double, a chord, a tap on its way up).
  tapUps_.clear();
  for (const Held& held : Ledger.TakeAll()) Undo(held, now);
  LayersChanged(now);
}

void Pipeline::Resize(int numOfButtons, Millis now) {
  const int oldButtons = table_.NumOfButtons();
  const int oldEntries = table_.EntryCount();
  // The other sources are kept by entry number, which the change moves.
  Chords.Drop();
  Activators.Drop();
  tapUps_.clear();
  for (const Held& held : Ledger.TakeFrom(Slot(Source::Hold, 0))) Undo(held, now);
  std::vector<Edge> gone;
  Edges.Resize(numOfButtons, &gone, now);
  for (const Held& held : Ledger.Resize(oldButtons, Edges.NumOfButtons(), oldEntries))
    Undo(held, now);
  // The layers are kept by entry number too.
  Layers.Drop();
  LayersChanged(now);
  if (Dispatch.TurboEntry > oldButtons)
    Dispatch.TurboEntry =
        static_cast<std::uint8_t>(Dispatch.TurboEntry - oldButtons + Edges.NumOfButtons());
  table_.Resize(numOfButtons);
}

}  // namespace vantrel

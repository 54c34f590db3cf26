#pragma once
// The layer stack: which layers are on, in the order they came on. The
// standing layer (Set) lies lowest, the Toggle, Once and Hold layers above
// it, the newest on top. A press is resolved from the top down; the stack
// only says what is on, and what each Layer entry's press and release do
// to it.
#include <cstdint>
#include <vector>

#include "actions/PressLedger.h"
#include "bindings/Binding.h"

namespace vantrel {

class LayerStack {
 public:
  // A Layer entry's press, from input (pad, entry): what its release undoes.
  Held Press(std::uint8_t pad, std::uint8_t entry, const Binding& b);
  // The release of what such a press put down.
  void Release(const Held& held);
  // Whether the input's press takes back its own Once layer, still waiting
  // for a press of another entry: it does, and then the press does nothing.
  bool CancelOnce(std::uint8_t pad, std::uint8_t entry);
  // Another input's press has been resolved: a Once layer it used is done
  // with (or, while its own entry is still held, stays on as a Hold layer).
  void Pressed(std::uint8_t pad, std::uint8_t entry);
  // Every layer off: back to the base.
  void Drop();

  // The layers on, the top one first, the standing layer last.
  const std::vector<int>& TopFirst() const { return topFirst_; }
  // The layer that decides first: the top one, 0 for the base.
  int Top() const { return topFirst_.empty() ? 0 : topFirst_.front(); }
  bool Any() const { return !topFirst_.empty(); }

 private:
  struct On {
    std::uint8_t layer = 0;
    std::uint8_t mode = LayerHold;
    std::uint8_t pad = 0, entry = 0;  // the input that put it on
    bool held = true;                 // Once: its input is still held
    bool used = false;                // Once: another press has used it
  };
  void Update();

  std::vector<On> on_;  // oldest first
  int standing_ = 0;
  std::vector<int> topFirst_;
};

}  // namespace vantrel

#pragma once
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "bindings/Binding.h"
#include "config/BindingEditor.h"

namespace vantrel {

// What the chords dialog needs of the main window: the table whose chords
// it edits, the editing its action goes through, the rows, the controller
// kept quiet while it waits for a chord, and the action dialog.
class ChordsHost {
 public:
  virtual BindingTable& Table() = 0;
  virtual EntryEditor& Editing() = 0;
  // The entries that have rows, in row order, with their rows' captions.
  virtual std::vector<std::pair<std::uint8_t, std::string>> EntryRows() const = 0;
  // While on, the controller's presses are the dialog's: nothing is sent
  // to the program in front, and the rows still show what is held.
  virtual void CaptureController(bool on) = 0;
  // Opens the action dialog, captioned for `what`, on the action the
  // editing edits, as a click on a row does; the main window is enabled
  // again when that editing ends.
  virtual void EditAction(const std::string& what) = 0;
  virtual void EnableMainWindow() = 0;

 protected:
  ~ChordsHost() = default;
};

}  // namespace vantrel

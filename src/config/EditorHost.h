#pragma once
#include "bindings/Binding.h"
#include "bindings/RowView.h"
#include "config/BindingEditor.h"

namespace vantrel {

// What the binding dialogs need of the main window: the table, the editing
// of the entry chosen (its backup with it), the entry's row, and giving the
// main window back when the editing ends.
class EditorHost : public RowView {
 public:
  virtual BindingTable& Table() = 0;
  virtual EntryEditor& Editing() = 0;
  // Every dialog ends by enabling the main window, before it hides, so that
  // the activation falls back to it.
  virtual void EnableMainWindow() = 0;
  // A new profile list was confirmed: every list starts again from its first profile.
  virtual void RestartProfileLists() = 0;
  // A layer was renamed: whatever names the layers (the main window's layer
  // list, the rows of layer entries) follows.
  virtual void LayerNamesChanged() {}
};

}  // namespace vantrel

#pragma once
#include <string>

#include "actions/Pipeline.h"
#include "config/EditorHost.h"
#include "input/DXInput.h"
#include "ui/Window_win.h"

namespace vantrel {

// What the options window configures in the main window: the polling
// timer, the joystick, the actions' program-wide values (the turbo interval
// among them), the rows.
class OptionsHost : public EditorHost {
 public:
  virtual MessageTimer& PollingTimer() = 0;  // Timer1
  virtual TJoystick& Joystick() = 0;
  // The input pipeline, which takes its settings in one value.
  virtual Pipeline& InputPipeline() = 0;
  // Reads the controller wished for from now on (the first attached while it
  // is away); what the one read before held is let go of.
  virtual void ChooseController(ControllerWish wish) = 0;
  // Whether the controller's own event wakes the program (else the polling
  // timer alone reads it).
  virtual void UseInputEvents(bool use) = 0;
  // Builds the rows afresh for `numOfButtons` buttons (the table follows).
  virtual void Construct(int numOfButtons) = 0;
  virtual void MinimizeToTray() = 0;
  // After a new language pack was read: every window takes its texts and
  // font, and the rows their captions and their bindings' texts.
  virtual void ApplyLanguage() = 0;
};

// The on-screen layer indicator, as the options window turns it on and off.
class LayerIndicatorSetting {
 public:
  virtual bool ShowsLayerChanges() const = 0;
  virtual void ShowLayerChanges(bool show) = 0;

 protected:
  ~LayerIndicatorSetting() = default;
};

}  // namespace vantrel

#pragma once
#include <vector>

#include "actions/ProgramRules.h"

namespace vantrel {

// What the programs dialog needs of the main window: the rules in force,
// taking new ones (kept in the settings file first: a refused write throws
// and leaves the rules in force as they were), and giving the main window
// back when the dialog closes.
class ProgramsHost {
 public:
  virtual const std::vector<ProgramRule>& ProgramRules() const = 0;
  virtual void SetProgramRules(std::vector<ProgramRule> rules) = 0;
  virtual void EnableMainWindow() = 0;

 protected:
  ~ProgramsHost() = default;
};

}  // namespace vantrel

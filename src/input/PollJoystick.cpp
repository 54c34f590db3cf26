#include "input/PollJoystick.h"

namespace vantrel {

const std::vector<ReaderStep>& JoystickReader::Passed() const {
  static const std::vector<ReaderStep> kNone;
  return kNone;
}

}  // namespace vantrel

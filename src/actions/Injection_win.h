#pragma once
#include <string>

#include "actions/InputSink.h"

namespace vantrel {

// Synthetic input through keybd_event and mouse_event.
class PlatformInput final : public InputSink {
 public:
  void KeybdEvent(std::uint8_t vk, std::uint8_t scan, std::uint32_t flags) override;
  void MouseEvent(std::uint32_t flags, std::int32_t dx, std::int32_t dy,
                  std::int32_t data) override;
};

// Starts what a run entry names. An existing file is opened by the shell as
// itself (which also starts shortcuts and batch files) and never searched
// for along the spaces of its path; anything else is a command line.
void LaunchProgram(const std::string& command);

}  // namespace vantrel

#pragma once
#include <windows.h>

#include <array>
#include <bitset>
#include <string>

#include "actions/InputSink.h"

namespace vantrel {

// Synthetic input through keybd_event and mouse_event.
class PlatformInput final : public InputSink {
 public:
  void KeybdEvent(std::uint8_t vk, std::uint8_t scan, std::uint32_t flags) override;
  std::uint8_t ScanCode(std::uint8_t vk) override;
  void MouseEvent(std::uint32_t flags, std::int32_t dx, std::int32_t dy,
                  std::int32_t data) override;

 private:
  HKL layout_ = nullptr;
  std::bitset<256> known_;
  std::array<std::uint8_t, 256> scans_{};
};

// Starts the program a Run entry names, with the arguments written after it
// (see ParseRunEntry); an entry that names no existing program starts nothing.
void LaunchProgram(const std::string& command);

}  // namespace vantrel

#pragma once
#include <windows.h>

#include <array>
#include <bitset>
#include <string>

#include "actions/InputSink.h"

namespace vantrel {

// Synthetic input through SendInput: the keys of one action in one call,
// whose answer says whether the system took them.
class PlatformInput final : public InputSink {
 public:
  bool SendKeys(std::span<const KeyStroke> strokes) override;
  std::uint8_t ScanCode(std::uint8_t vk) override;
  bool MouseEvent(std::uint32_t flags, std::int32_t dx, std::int32_t dy,
                  std::int32_t data) override;

 private:
  HKL layout_ = nullptr;
  std::bitset<256> known_;
  std::array<std::uint8_t, 256> scans_{};
};

// Starts the program a Run entry names, with the arguments written after it
// (see ParseRunEntry); an entry that names no existing program starts nothing.
// A box the shell shows about it (a downloaded file's warning) is owned by
// `owner`.
void LaunchProgram(const std::string& command, HWND owner = nullptr);

}  // namespace vantrel

#pragma once
#include <cstdint>

namespace vantrel {

// Synthetic input, shaped like the platform's keybd_event and mouse_event.
class InputSink {
 public:
  virtual ~InputSink() = default;
  virtual void KeybdEvent(std::uint8_t vk, std::uint8_t scan, std::uint32_t flags) = 0;
  // The scan code of the key of this virtual-key code on the keyboard layout
  // in use, without its prefix; 0 for a code no key of the layout has.
  virtual std::uint8_t ScanCode(std::uint8_t vk) = 0;
  virtual void MouseEvent(std::uint32_t flags, std::int32_t dx, std::int32_t dy,
                          std::int32_t data) = 0;
};

constexpr std::uint32_t kKeyEventExtendedKey = 0x0001;
constexpr std::uint32_t kKeyEventKeyUp = 0x0002;
constexpr std::uint32_t kMouseMove = 0x0001;
constexpr std::uint32_t kMouseLeftDown = 0x0002;
constexpr std::uint32_t kMouseLeftUp = 0x0004;
constexpr std::uint32_t kMouseRightDown = 0x0008;
constexpr std::uint32_t kMouseRightUp = 0x0010;
constexpr std::uint32_t kMouseWheel = 0x0800;

}  // namespace vantrel

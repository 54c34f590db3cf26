#pragma once
#include <cstdint>
#include <span>

namespace vantrel {

// One key event, shaped like the platform's keyboard input record.
struct KeyStroke {
  std::uint8_t vk = 0;
  std::uint8_t scan = 0;
  std::uint32_t flags = 0;
  bool operator==(const KeyStroke&) const = default;
};

// Synthetic input. The keys of one action go out together, in one call,
// so that nothing the user does comes between a modifier and its key.
// Each call answers whether the system took the input: it refuses it while
// the session is locked or another desktop is in front.
class InputSink {
 public:
  virtual ~InputSink() = default;
  virtual bool SendKeys(std::span<const KeyStroke> strokes) = 0;
  // The scan code of the key of this virtual-key code on the keyboard layout
  // in use, without its prefix; 0 for a code no key of the layout has.
  virtual std::uint8_t ScanCode(std::uint8_t vk) = 0;
  virtual bool MouseEvent(std::uint32_t flags, std::int32_t dx, std::int32_t dy,
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

#include "actions/ExtendedKeys.h"

namespace vantrel {

bool IsExtendedKey(std::uint8_t vk) {
  switch (vk) {
    case 0x21:  // VK_PRIOR
    case 0x22:  // VK_NEXT
    case 0x23:  // VK_END
    case 0x24:  // VK_HOME
    case 0x25:  // VK_LEFT
    case 0x26:  // VK_UP
    case 0x27:  // VK_RIGHT
    case 0x28:  // VK_DOWN
    case 0x2C:  // VK_SNAPSHOT
    case 0x2D:  // VK_INSERT
    case 0x2E:  // VK_DELETE
    case 0x5B:  // VK_LWIN
    case 0x5C:  // VK_RWIN
    case 0x5D:  // VK_APPS
    case 0x6F:  // VK_DIVIDE
    case 0x90:  // VK_NUMLOCK
    case 0xA3:  // VK_RCONTROL
    case 0xA5:  // VK_RMENU
      return true;
    default:
      // VK_BROWSER_BACK to VK_LAUNCH_APP2: browser, volume, media and launch keys.
      return vk >= 0xA6 && vk <= 0xB7;
  }
}

}  // namespace vantrel

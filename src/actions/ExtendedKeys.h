#pragma once
#include <cstdint>

namespace vantrel {

// Whether a real keyboard sends the key of this virtual-key code with the
// extended prefix (E0): the arrows, Insert, Delete, Home, End, Page Up and
// Page Down of the block beside the letters, right Ctrl and right Alt, the
// keypad's Divide, Num Lock, both Windows keys, Applications, Print Screen,
// and the browser, volume, media and launch keys. A game that reads scan
// codes tells the arrows from the keypad's 8, 4, 6, 2 by this flag alone.
//
// The keypad's Enter is extended too, but it shares VK_RETURN with the main
// Enter, so a virtual-key code cannot say which is meant: VK_RETURN is sent
// as the main one.
bool IsExtendedKey(std::uint8_t vk);

}  // namespace vantrel

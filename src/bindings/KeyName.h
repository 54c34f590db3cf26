#pragma once
#include <cstdint>
#include <string>

#include "lang/KeptTexts.h"

namespace vantrel {

// The short name under which the user sees a virtual-key code or a mouse
// action code. Arrow keys and pointer movements are composed from the kept
// language texts; a code outside the table is the character of its low byte
// (65 is "A", 321 too). Code 0 is the empty text.
std::string KeyName(std::uint16_t code, const KeptTexts& texts = Kept());

}  // namespace vantrel

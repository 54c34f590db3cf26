#pragma once
// Small rules about texts that several subsystems share.
#include <string>
#include <string_view>

namespace vantrel {

// A character below the blank, or DEL.
bool IsControlCharacter(char c);

// The text without its control characters: what a device names itself may
// hold a line break, which would end the line it is stored on, and a name
// stored so must still match the device's.
std::string WithoutControlCharacters(std::string_view text);

}  // namespace vantrel

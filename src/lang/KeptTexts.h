#pragma once
#include <cstdint>
#include <string>

#include "base/IniFile.h"

namespace vantrel {

// Texts that other parts of the program compose names and captions from at
// run time, so they are kept after a language pack has been read. The
// initial values are the built-in English ones.
struct KeptTexts {
  // [Common]
  std::string Current = "Current";
  std::string Next = "Next";
  std::string Choose = "Choose...";
  std::string Mouse = "Mouse";
  std::string Arrow = "Arrow";
  std::string None = "None";
  std::string MouseLButton = "MouseLButton";
  std::string MouseRButton = "MouseRButton";
  std::string FontName = "Arial";
  std::uint16_t FontCharset = 1;  // applied as its low 8 bits
  // [MainWindow]
  std::string Turbo = "Turbo";
  std::string Button = "Button";
  std::string Left = "Left";
  std::string Right = "Right";
  std::string Up = "Up";
  std::string Down = "Down";
  // [EmulateKeyWindow]
  std::string PressKey = "Press key";
  // [ActionWindow]
  std::string ActionCaption = "Action";
};

// The program-wide kept texts; only the language applier writes them.
KeptTexts& Kept();

// The kept texts of a pack: a missing file, section or key gives the built-in
// text, a key present with an empty value an empty text. FontCharset is an
// integer ("0x" for hexadecimal); anything else gives 1.
KeptTexts ReadKeptTexts(IniFile& pack);

}  // namespace vantrel

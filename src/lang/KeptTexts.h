#pragma once
#include <array>
#include <cstdint>
#include <string>

#include "base/Entries.h"
#include "base/IniFile.h"
#include "lang/LanguageKeys.h"

namespace vantrel {

// Texts that other parts of the program compose names and captions from at
// run time, so they are kept after a language pack has been read. The
// initial values are the built-in English ones, from the table of keys.
std::array<std::string, kExtraEntries> BuiltInExtraRows();

struct KeptTexts {
  // [Common]
  std::string Current = BuiltInText("Common", "Current");
  std::string Next = BuiltInText("Common", "Next");
  std::string Choose = BuiltInText("Common", "Choose");
  std::string Mouse = BuiltInText("Common", "Mouse");
  std::string Arrow = BuiltInText("Common", "Arrow");
  std::string None = BuiltInText("Common", "None");
  std::string MouseLButton = BuiltInText("Common", "MouseLButton");
  std::string MouseRButton = BuiltInText("Common", "MouseRButton");
  std::string PointerStick = BuiltInText("Common", "PointerStick");
  // Layers: a Layer entry's row ("Layer: Driving (hold)"), a layer without
  // a name of its own ("Layer %d"), the bindings below every layer, and an
  // entry a layer blocks.
  std::string Layer = BuiltInText("Common", "Layer");
  std::string LayerHold = BuiltInText("Common", "LayerHold");
  std::string LayerToggle = BuiltInText("Common", "LayerToggle");
  std::string LayerOnce = BuiltInText("Common", "LayerOnce");
  std::string LayerSet = BuiltInText("Common", "LayerSet");
  std::string LayerName = BuiltInText("Common", "LayerName");
  std::string Base = BuiltInText("Common", "Base");
  std::string Nothing = BuiltInText("Common", "Nothing");
  // An entry's Hold and Double actions in its row ("Esc / hold: F5").
  std::string HoldPart = BuiltInText("Common", "HoldPart");
  std::string DoublePart = BuiltInText("Common", "DoublePart");
  std::string FontName = BuiltInText("Common", "FontName");
  std::uint16_t FontCharset = 1;  // applied as its low 8 bits
  // [MainWindow]
  std::string Turbo = BuiltInText("MainWindow", "Turbo");
  std::string Button = BuiltInText("MainWindow", "Button");
  std::string Left = BuiltInText("MainWindow", "Left");
  std::string Right = BuiltInText("MainWindow", "Right");
  std::string Up = BuiltInText("MainWindow", "Up");
  std::string Down = BuiltInText("MainWindow", "Down");
  // The captions of the hat's and the other axes' rows, keyed by their
  // profile prefixes, in the order of the entries.
  std::array<std::string, kExtraEntries> ExtraRows = BuiltInExtraRows();
  // [EmulateKeyWindow]
  std::string PressKey = BuiltInText("EmulateKeyWindow", "PressKey");
  // [ActionWindow]
  std::string ActionCaption = BuiltInText("ActionWindow", "Caption");
};

// The program-wide kept texts; only the language applier writes them.
KeptTexts& Kept();

// The kept texts of a pack: a missing file, section or key gives the built-in
// text, a key present with an empty value an empty text. FontCharset is an
// integer ("0x" for hexadecimal); anything else gives 1.
KeptTexts ReadKeptTexts(IniFile& pack);

}  // namespace vantrel
